#!/usr/bin/env bash
# corvanel.dll as a program loads it, read from the file alone:
# - it exports exactly the functions that corvanel.h declares, by their
#   plain names (no C++ names, no stdcall decorations, nothing of the
#   libraries linked in);
# - it imports no DLL beyond the system's (the runtimes are linked in);
# - it carries the controls' resources (the popup's template 101, the
#   button faces 131, 133, 134) and a version resource.
#
#   tests/dll/exports.sh corvanel.dll corvanel.h OBJDUMP READOBJ
set -uo pipefail
dll=$1 header=$2 objdump=$3 readobj=$4
status=0
fail() { echo "exports: FAIL: $1"; status=1; }

declared=$(grep -oE '^[A-Za-z]+ (WINAPI|CALLBACK) [A-Za-z]+\(' "$header" | sed -E 's/.* ([A-Za-z]+)\($/\1/' | sort)
exported=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
           sed -nE 's/^\s*\[ *[0-9]+\] (.*)$/\1/p' | sort)
[[ -n $declared ]] || fail "no function found in $header"
if [[ $declared != "$exported" ]]; then
    fail "the export table differs from the header's functions"
    diff <(echo "$declared") <(echo "$exported") | sed 's/^/    /'
else
    echo "exports: $(wc -l <<<"$exported") functions, exactly the header's: $(echo $exported)"
fi

imports=$("$objdump" -p "$dll" | sed -nE 's/^\s*DLL Name: (.*)$/\1/p')
unexpected=$(grep -viE '^(kernel32|user32|gdi32|comctl32|ole32|oleaut32|advapi32|msvcrt)\.dll$' <<<"$imports")
[[ -z $unexpected ]] || fail "imports DLLs beyond the system's: $unexpected"

resources=$("$readobj" --coff-resources "$dll" | grep -oE '(Type: [A-Z]+|Name: \(ID [0-9]+\))' | tr '\n' ' ')
for wanted in "Type: BITMAP Name: (ID 131) Name: (ID 133) Name: (ID 134)" "Type: DIALOG Name: (ID 101)" \
              "Type: VERSIONINFO Name: (ID 1)"; do
    [[ $resources == *"$wanted"* ]] || fail "no resources \"$wanted\" (has: $resources)"
done
((status == 0)) && echo "exports: imports only $(echo $imports); carries the popup's template, the faces and a version"
exit $status
