#!/bin/sh
# Makes the faulty payloads of the extraction tests from one good SZDD file.
#   make-faults.sh GOOD_SZDD OUTDIR
set -eu
good=$1 out=$2
mkdir -p "$out"
head -c 600 "$good" >"$out/truncated.bin"
for fault in "badsig 0 X" "badmode 8 B"; do
    set -- $fault
    cp "$good" "$out/$1.bin"
    printf '%s' "$3" | dd of="$out/$1.bin" bs=1 seek="$2" conv=notrunc 2>/dev/null
done
