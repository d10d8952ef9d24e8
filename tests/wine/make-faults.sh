#!/bin/sh
# Makes the faulty payloads of the extraction tests from one good SZDD file.
#   make-faults.sh GOOD_SZDD OUTDIR
set -eu
good=$1 out=$2
mkdir -p "$out"
head -c 600 "$good" >"$out/truncated.bin"
cp "$good" "$out/badsig.bin"
printf X | dd of="$out/badsig.bin" bs=1 conv=notrunc 2>/dev/null
