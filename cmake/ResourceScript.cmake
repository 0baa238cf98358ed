# ResourceScript.cmake: compiling this project's own resource scripts, which
# place the date controls by their exact class names.
#
# corvanel_compile_resource_script(<target> <script> [INTERFACE] OUT_DIR <dir>
#                                  INCLUDE_DIRS <dir>... [PICTURE_DIRS <dir>...]
#                                  [DEPENDS <file>...])
# The C preprocessor (INCLUDE_DIRS on its path; a script may include
# <windows.h>: what system headers leave besides their macros is dropped by
# RcFilter.cmake), then llvm-rc, which keeps
# the class names of dialog items as written ("DatumCtrl"), with OUT_DIR, the
# script's folder and PICTURE_DIRS on its path for the bitmaps the script
# names, then windres into an object file that is linked into the target
# (into whatever links the target in this build, for an INTERFACE library).
set(CORVANEL_RC_FILTER ${CMAKE_CURRENT_LIST_DIR}/RcFilter.cmake)

function(corvanel_compile_resource_script target script)
    cmake_parse_arguments(R "INTERFACE" "OUT_DIR" "INCLUDE_DIRS;PICTURE_DIRS;DEPENDS" ${ARGN})
    find_program(CORVANEL_LLVM_RC NAMES llvm-rc llvm-rc-16 llvm-rc-15 llvm-rc-14)
    if(NOT CORVANEL_LLVM_RC)
        message(FATAL_ERROR "Compiling the resource script ${script} of ${target} needs llvm-rc, "
            "which was not found. Install it (Debian: apt-get install llvm) or set CORVANEL_LLVM_RC to its path.")
    endif()
    find_program(CORVANEL_WINDRES NAMES ${CMAKE_RC_COMPILER} windres)
    if(NOT CORVANEL_WINDRES)
        message(FATAL_ERROR "Compiling the resource script ${script} of ${target} needs windres, "
            "the MinGW-w64 binutils' resource converter, which was not found. Install the cross "
            "binutils (Debian: apt-get install binutils-mingw-w64) or set CORVANEL_WINDRES to its path.")
    endif()
    get_filename_component(name ${script} NAME_WE)
    get_filename_component(script_dir ${script} DIRECTORY)
    list(TRANSFORM R_INCLUDE_DIRS PREPEND "-I" OUTPUT_VARIABLE preprocessor_includes)
    # A clang cross build names its target, so the preprocessor finds the
    # Windows headers of that target.
    if(CMAKE_C_COMPILER_TARGET)
        list(PREPEND preprocessor_includes --target=${CMAKE_C_COMPILER_TARGET})
    endif()
    set(picture_includes)
    foreach(dir IN LISTS R_PICTURE_DIRS)
        list(APPEND picture_includes /I ${dir})
    endforeach()
    set(object ${R_OUT_DIR}/${name}.res.obj)
    # llvm-rc reads an absolute Unix path such as /check/... as one of its
    # slash options, so "--" ends the options before the script's path.
    add_custom_command(
        OUTPUT ${object}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${R_OUT_DIR}
        COMMAND ${CMAKE_C_COMPILER} -E -xc -DRC_INVOKED ${preprocessor_includes} ${script} -o ${R_OUT_DIR}/${name}.rc.m
        COMMAND ${CMAKE_COMMAND} -DIN=${R_OUT_DIR}/${name}.rc.m -DOUT=${R_OUT_DIR}/${name}.rc.i -P ${CORVANEL_RC_FILTER}
        COMMAND ${CORVANEL_LLVM_RC} -no-preprocess /L 0x409 /I ${R_OUT_DIR} /I ${script_dir} ${picture_includes}
                /FO ${R_OUT_DIR}/${name}.res -- ${R_OUT_DIR}/${name}.rc.i
        COMMAND ${CORVANEL_WINDRES} -J res -O coff -i ${R_OUT_DIR}/${name}.res -o ${object}
        DEPENDS ${script} ${R_DEPENDS} ${CORVANEL_RC_FILTER}
        COMMENT "Compiling the resources of ${target}"
        VERBATIM)
    add_custom_target(${target}_resource_object DEPENDS ${object})
    add_dependencies(${target} ${target}_resource_object)
    if(R_INTERFACE)
        target_link_libraries(${target} INTERFACE $<BUILD_INTERFACE:${object}>)
    else()
        target_link_libraries(${target} PRIVATE ${object})
    endif()
endfunction()
