#!/bin/sh
# Fails when a program imports a DLL that Windows might load from the
# program's folder instead of its own, or one that a named Windows lacks:
# the set-up programs (setup*.exe) import only system DLLs that Windows 95
# has, the other programs may also import msvcrt.dll.
#   check-imports.sh OBJDUMP PROGRAM...
set -eu
objdump=$1
shift
system="KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL SHELL32.DLL OLE32.DLL"
status=0
for program in "$@"; do
    case $(basename "$program") in
        setup*.exe) allowed=$system ;;
        *) allowed="$system MSVCRT.DLL" ;;
    esac
    for dll in $("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p'); do
        case " $allowed " in
            *" $(echo "$dll" | tr a-z A-Z) "*) ;;
            *) echo "$(basename "$program") imports $dll"; status=1 ;;
        esac
    done
done
exit $status
