#!/usr/bin/env bash
# corvanel.dll read from the file alone: it exports exactly the functions of
# corvanel.h by their plain names (no C++ name, no stdcall decoration,
# nothing of the libraries linked in), imports only the system's DLLs, and
# carries the popup's template (101), the button faces (131, 133, 134) and a
# version resource.
#
#   tests/dll/exports.sh corvanel.dll corvanel.h OBJDUMP READOBJ
set -uo pipefail
dll=$1 header=$2 objdump=$3 readobj=$4 status=0
fail() { echo "exports: FAIL: $1"; status=1; }

declared=$(grep -oE '^[A-Za-z]+ (WINAPI|CALLBACK) [A-Za-z]+\(' "$header" | sed -E 's/.* (.*)\($/\1/' | sort)
exported=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' | sort)
[[ -n $declared && $declared == "$exported" ]] ||
    fail "the export table is not the header's functions: $(diff <(echo "$declared") <(echo "$exported") | tr '\n' ' ')"
imports=$("$objdump" -p "$dll" | sed -nE 's/^\s*DLL Name: //p')
grep -qviE '^(kernel32|user32|gdi32|comctl32|ole32|oleaut32|advapi32|msvcrt)\.dll$' <<<"$imports" &&
    fail "imports DLLs beyond the system's: $(echo $imports)"
resources=$("$readobj" --coff-resources "$dll" | grep -oE '(Type: [A-Z]+|Name: \(ID [0-9]+\))' | tr '\n' ' ')
for wanted in "BITMAP Name: (ID 131) Name: (ID 133) Name: (ID 134)" "DIALOG Name: (ID 101)" "VERSIONINFO Name: (ID 1)"; do
    [[ $resources == *"Type: $wanted"* ]] || fail "no resources $wanted (has: $resources)"
done
((status == 0)) && echo "exports: exactly the header's $(echo $exported); imports $(echo $imports); carries its resources"
exit $status
