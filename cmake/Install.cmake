# Install rules and the CMake package: `cmake --install <build> --prefix <dir>`
# puts the public headers under include/corvanel, corvanel.dll under bin, the
# static libraries, the DLL's import libraries (libcorvanel.dll.a, and
# corvanel.lib with its corvanel.def) and the controls' prebuilt resources
# under lib, and a package that another project finds with
#
#   find_package(Corvanel CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE Corvanel::controls)   # or Corvanel::dll
#
# The exported targets carry their include directory, the C++20 standard
# their headers need, and the system libraries they link (comctl32, user32,
# gdi32, ole32, advapi32). A consumer's toolchain file is installed as
# share/corvanel/toolchain-mingw-<i686|x86_64>.cmake.
include(CMakePackageConfigHelpers)

set(CORVANEL_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Corvanel)
set(CORVANEL_HEADER_DIR ${CMAKE_INSTALL_INCLUDEDIR}/corvanel)

# install_public_headers(<folder> [EXCLUDE <header>...]): a folder's headers,
# under the same relative path as in the source tree.
function(install_public_headers folder)
    cmake_parse_arguments(H "" "" "EXCLUDE" ${ARGN})
    file(GLOB headers RELATIVE ${PROJECT_SOURCE_DIR}/${folder} ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    if(H_EXCLUDE)
        list(REMOVE_ITEM headers ${H_EXCLUDE})
    endif()
    list(TRANSFORM headers PREPEND ${PROJECT_SOURCE_DIR}/${folder}/)
    install(FILES ${headers} DESTINATION ${CORVANEL_HEADER_DIR}/${folder})
endfunction()

set(installed_targets corvanel_platform_core corvanel_datevalues corvanel_textrules)
install_public_headers(platform/core EXCLUDE ClockForTesting.h)
install_public_headers(datevalues)
install_public_headers(textrules)
if(CORVANEL_WIN32)
    list(APPEND installed_targets corvanel_platform_window corvanel_platform_appservices corvanel_controls
         corvanel_resources corvanel_dll)
    install_public_headers(platform/window)
    install_public_headers(platform/appservices EXCLUDE OleForTesting.h)
    install_public_headers(controls)
    install(FILES ${PROJECT_SOURCE_DIR}/include/corvanel.h DESTINATION ${CORVANEL_HEADER_DIR})
    # The controls' resources, linked into every program by Corvanel::controls.
    get_filename_component(resource_object_name ${CORVANEL_RESOURCE_OBJECT_INSTALLED} NAME)
    install(FILES ${CORVANEL_RESOURCE_OBJECT} DESTINATION ${CMAKE_INSTALL_LIBDIR} RENAME ${resource_object_name})
    install(FILES ${CORVANEL_DLL_FILES} DESTINATION ${CMAKE_INSTALL_LIBDIR})
    # The toolchain of this build's architecture, for a consumer's
    # -DCMAKE_TOOLCHAIN_FILE: the compilers only, no test runner.
    install(FILES ${PROJECT_SOURCE_DIR}/cmake/package/toolchain-mingw-${CMAKE_SYSTEM_PROCESSOR}.cmake
                  ${PROJECT_SOURCE_DIR}/cmake/package/toolchain-mingw.cmake
        DESTINATION ${CMAKE_INSTALL_DATADIR}/corvanel)
endif()

install(TARGETS ${installed_targets} EXPORT CorvanelTargets
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    INCLUDES DESTINATION ${CORVANEL_HEADER_DIR})
install(EXPORT CorvanelTargets NAMESPACE Corvanel:: DESTINATION ${CORVANEL_PACKAGE_DIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/package/CorvanelConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/CorvanelConfig.cmake
    INSTALL_DESTINATION ${CORVANEL_PACKAGE_DIR}
    PATH_VARS CORVANEL_HEADER_DIR)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/CorvanelConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/CorvanelConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/CorvanelConfigVersion.cmake
    DESTINATION ${CORVANEL_PACKAGE_DIR})
