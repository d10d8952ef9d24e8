#!/bin/sh
# Fails when a program imports a DLL that Windows might load from the
# program's folder instead of its own, or one that a named Windows lacks:
# the set-up programs (setup*.exe) import only system DLLs that Windows 95
# has, the other programs may also import msvcrt.dll, and version.dll, with
# which a test reads the set-up's version information. The programs we ship,
# setup.exe and setup_without_payload.exe, import only the functions that
# tools/imports.txt lists; the fault builds, which carry test hooks, are
# held to the DLLs alone. Names each import that is not allowed.
#   check-imports.sh OBJDUMP PROGRAM...
set -eu
objdump=$1
shift
list=$(dirname "$0")/imports.txt
system="KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL SHELL32.DLL OLE32.DLL"
status=0
for program in "$@"; do
    name=$(basename "$program")
    case $name in
        setup*.exe) allowed=$system ;;
        *) allowed="$system MSVCRT.DLL VERSION.DLL" ;;
    esac
    imports=$("$objdump" -p "$program")
    for dll in $(echo "$imports" | sed -n 's/^\s*DLL Name: //p'); do
        case " $allowed " in
            *" $(echo "$dll" | tr a-z A-Z) "*) ;;
            *) echo "$name imports $dll"; status=1 ;;
        esac
    done
    case $name in
        setup.exe|setup_without_payload.exe) ;;
        *) continue ;;
    esac
    # objdump lists each DLL's imports under its name, one a line ("<tab>vma
    # <tab>hint  name", or "<none>" for one by ordinal), ended by a blank line.
    echo "$imports" | awk -v program="$name" -v list="$list" '
        NR == FNR { if (!/^#/ && NF) listed[toupper($1) " " $2] = 1; next }
        /^\tDLL Name: / { dll = toupper($3); next }
        /^$/ { dll = "" }
        dll != "" && /^\t[0-9a-f]+\t/ {
            imported = $3 == "<none>" ? "ordinal " $2 : $3
            if (!((dll " " imported) in listed)) {
                printf "%s imports %s %s, which %s does not list\n", program, dll, imported, list
                found = 1
            }
        }
        END { exit found }' "$list" - || status=1
done
exit $status
