# Resources: pictures drawn as text in the repository become bitmaps at build
# time, folders of tests and examples compile resource scripts with windres,
# and the project's own scripts go through ResourceScript.cmake.

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

# The project's version for version resources (Corvanel.exe, corvanel.dll):
# CORVANEL_VERSION_COMMAS and CORVANEL_VERSION_TEXT in CorvanelVersion.h.
set(CORVANEL_VERSION_DIR ${CMAKE_BINARY_DIR}/version)
string(REPLACE "." "," CORVANEL_VERSION_COMMAS ${PROJECT_VERSION})
file(CONFIGURE OUTPUT ${CORVANEL_VERSION_DIR}/CorvanelVersion.h CONTENT
"#define CORVANEL_VERSION_COMMAS ${CORVANEL_VERSION_COMMAS}
#define CORVANEL_VERSION_TEXT \"${PROJECT_VERSION}\"
")
