# ExportsDef.cmake: writes corvanel.def, the module-definition file of
# corvanel.dll, from the functions that corvanel.h declares and the symbols
# that the compiler gave them. The DLL is linked with it, and MSVC's import
# library, corvanel.lib, is made from it.
#
#   cmake -DHEADER=<corvanel.h> -DNM=<nm> -DARCHIVE=<library> -DOUT=<def> -P ExportsDef.cmake
#
# Each function of the header (a line "<type> WINAPI <name>(" or
# "<type> CALLBACK <name>(") becomes one line: on x64 the plain name, on x86
# the name with its stdcall decoration (DatumBind@8), which MSVC's linker
# looks for; the DLL itself exports the plain names (--kill-at).
file(STRINGS "${HEADER}" declarations REGEX "^[A-Za-z]+ (WINAPI|CALLBACK) [A-Za-z]+\\(")
execute_process(COMMAND "${NM}" -g --defined-only "${ARCHIVE}" OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${NM} could not read ${ARCHIVE}")
endif()
set(def "LIBRARY corvanel.dll\nEXPORTS\n")
foreach(declaration IN LISTS declarations)
    string(REGEX REPLACE "^[A-Za-z]+ [A-Z]+ ([A-Za-z]+)\\(.*" "\\1" name "${declaration}")
    # x86: _Name@N; x64: Name.
    if(symbols MATCHES " T _?(${name}(@[0-9]+)?)\n")
        string(APPEND def "    ${CMAKE_MATCH_1}\n")
    else()
        message(FATAL_ERROR "corvanel.h declares ${name}, which ${ARCHIVE} does not define")
    endif()
endforeach()
file(WRITE "${OUT}" "${def}")
