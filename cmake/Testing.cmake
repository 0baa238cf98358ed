# GoogleTest for both builds and one helper to declare a test executable.
#
# Natively GoogleTest comes from the system package. For win32 it is built from
# Debian's googletest sources with the cross-compiler. Under Wine each test
# executable is one CTest entry, because every Wine start costs seconds; the
# emulator (scripts/wine-test-runner) gives it a private prefix and a display.
enable_testing()

if(CORVANEL_WIN32)
    set(CORVANEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "googletest sources")
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    # googletest's own code is not held to our warning set.
    add_subdirectory(${CORVANEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    foreach(t gtest gtest_main)
        target_compile_options(${t} PRIVATE -w -Wno-error)
    endforeach()
else()
    find_package(GTest REQUIRED)
endif()

# corvanel_wine_test_properties(test...): what every test run under Wine shares.
# Window tests share one virtual display and one Wine desktop, so they run one
# at a time. The runner exits with 77 when it cannot run a 32-bit program on
# this machine, which CTest reports as skipped rather than failed.
function(corvanel_wine_test_properties)
    set_tests_properties(${ARGN} PROPERTIES RUN_SERIAL ON SKIP_RETURN_CODE 77)
endfunction()

# corvanel_add_test(NAME name SOURCES ... [LIBS ...] [WINDOWS_SUBSYSTEM])
# Builds one GoogleTest executable and registers it as one CTest entry.
function(corvanel_add_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 600)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(CORVANEL_WIN32)
        corvanel_wine_test_properties(${T_NAME})
    endif()
endfunction()
