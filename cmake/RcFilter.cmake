# RcFilter.cmake: keeps what the resource script itself says from its
# preprocessed text, for llvm-rc, which reads resource statements only.
#
#   cmake -DIN=<script.rc.i> -DOUT=<filtered> -P RcFilter.cmake
#
# IN is the C preprocessor's output with its line markers. Text that comes
# from a system header (a marker with flag 3 naming another file than the
# script) is dropped: <windows.h> leaves C declarations behind even under
# RC_INVOKED, which llvm-rc cannot read, and a system header holds no
# resource statement, only macros, already expanded in the script's own
# lines (whose expansions the preprocessor marks with the script's name and
# flag 3). A system file named *.rc is kept: it is a resource script (the
# controls' own, installed into a system folder). The markers go too.
file(READ "${IN}" text)
# Square brackets and semicolons would split or join the list of lines.
string(REPLACE "[" "@RCF_LB@" text "${text}")
string(REPLACE "]" "@RCF_RB@" text "${text}")
string(REPLACE ";" "@RCF_SC@" text "${text}")
string(REPLACE "\n" ";" lines "${text}")

set(out "")
set(script "")
set(dropping FALSE)
foreach(line IN LISTS lines)
    if(line MATCHES "^# [0-9]+ \"([^\"]*)\"(( [0-9]+)*)$")
        set(file "${CMAKE_MATCH_1}")
        set(flags "${CMAKE_MATCH_2} ")
        if(script STREQUAL "" AND NOT file MATCHES "^<")
            set(script "${file}")
        endif()
        set(dropping FALSE)
        if(flags MATCHES " 3 " AND NOT file STREQUAL script AND NOT file MATCHES "\\.[rR][cC]$")
            set(dropping TRUE)
        endif()
    elseif(NOT dropping)
        string(APPEND out "${line}\n")
    endif()
endforeach()

string(REPLACE "@RCF_LB@" "[" out "${out}")
string(REPLACE "@RCF_RB@" "]" out "${out}")
string(REPLACE "@RCF_SC@" ";" out "${out}")
file(WRITE "${OUT}" "${out}")
