#!/bin/sh
# Makes the faulty payloads of the extraction tests from one good SZDD file.
#   make-faults.sh GOOD_SZDD OUTDIR
set -eu
good=$1 out=$2
mkdir -p "$out"
cp "$good" "$out/good.bin"
head -c 600 "$good" >"$out/truncated.bin"
cp "$good" "$out/badsig.bin"
printf 'X' | dd of="$out/badsig.bin" bs=1 seek=0 conv=notrunc 2>/dev/null
cp "$good" "$out/badmode.bin"
printf 'B' | dd of="$out/badmode.bin" bs=1 seek=8 conv=notrunc 2>/dev/null
