#!/bin/sh
# Fails when a program imports a DLL that Windows might load from the
# program's folder instead of its own: only these may be imported directly.
#   check-imports.sh OBJDUMP PROGRAM...
set -eu
objdump=$1
shift
allowed="KERNEL32.dll USER32.dll GDI32.dll ADVAPI32.dll SHELL32.dll ole32.dll msvcrt.dll"
status=0
for program in "$@"; do
    for dll in $("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p'); do
        case " $(echo "$allowed" | tr a-z A-Z) " in
            *" $(echo "$dll" | tr a-z A-Z) "*) ;;
            *) echo "$(basename "$program") imports $dll"; status=1 ;;
        esac
    done
done
[ $status = 0 ] && echo "1 passed, 0 failed"
exit $status
