# Resources: pictures drawn as text in the repository become bitmaps at build
# time, and folders of tests compile resource scripts with windres.

# corvanel_enable_resource_scripts()
# Lets the folder compile .rc files. windres takes none of the compiler's
# warning options, so the folder's options go to C and C++ sources only.
macro(corvanel_enable_resource_scripts)
    enable_language(RC)
    get_directory_property(compile_options COMPILE_OPTIONS)
    list(TRANSFORM compile_options REPLACE "^(.+)$" "$<$<COMPILE_LANGUAGE:C,CXX>:\\1>")
    set_directory_properties(PROPERTIES COMPILE_OPTIONS "${compile_options}")
endmacro()

# corvanel_bitmaps_from_text(<out_var> <out_dir> <text file>...)
# Draws each text file as <out_dir>/<its name>.bmp with scripts/text-to-bmp and
# returns the bitmaps' paths in <out_var>, for a resource script to include.
function(corvanel_bitmaps_from_text out_var out_dir)
    set(bitmaps)
    foreach(text IN LISTS ARGN)
        get_filename_component(name ${text} NAME_WE)
        set(bitmap ${out_dir}/${name}.bmp)
        add_custom_command(
            OUTPUT ${bitmap}
            COMMAND ${PROJECT_SOURCE_DIR}/scripts/text-to-bmp ${text} ${bitmap}
            DEPENDS ${PROJECT_SOURCE_DIR}/scripts/text-to-bmp ${text}
            COMMENT "Drawing bitmap ${name}.bmp"
            VERBATIM)
        list(APPEND bitmaps ${bitmap})
    endforeach()
    set(${out_var} ${bitmaps} PARENT_SCOPE)
endfunction()

# The date control's button faces (up 134, down 131, disabled 133), drawn in
# the application's resources; test programs that need them build them in too.
set(CORVANEL_BUTTON_FACES
    ${PROJECT_SOURCE_DIR}/app/resources/bitmaps/kodpopup_up.txt
    ${PROJECT_SOURCE_DIR}/app/resources/bitmaps/kodpopup_down.txt
    ${PROJECT_SOURCE_DIR}/app/resources/bitmaps/kodpopup_disabled.txt)

include(${CMAKE_CURRENT_LIST_DIR}/ResourceScript.cmake)

# corvanel_add_resource_script(<target> <script> [DEPENDS file...])
# Compiles a resource script as the application's is compiled and links it
# into the target, with the project root on the preprocessor's path. The date
# controls' button faces are drawn into the target's resource folder, which
# is on llvm-rc's path, so the script can include "controls/DatumControls.rc"
# and carry what the controls load.
function(corvanel_add_resource_script target script)
    cmake_parse_arguments(R "" "" "DEPENDS" ${ARGN})
    set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
    corvanel_bitmaps_from_text(faces ${out_dir} ${CORVANEL_BUTTON_FACES})
    corvanel_compile_resource_script(${target} ${script} OUT_DIR ${out_dir} INCLUDE_DIRS ${PROJECT_SOURCE_DIR}
        DEPENDS ${faces} ${R_DEPENDS}
                ${PROJECT_SOURCE_DIR}/controls/DatumControls.rc
                ${PROJECT_SOURCE_DIR}/controls/ControlResources.h)
endfunction()
