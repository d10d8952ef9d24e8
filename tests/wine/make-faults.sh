#!/bin/sh
# Makes the faulty payloads of the extraction test and of the damaged set-up
# from good SZDD files: one cut short, and copies with one byte changed.
#   make-faults.sh PAYLOAD_DIR OUTDIR
set -eu
payload=$1 out=$2
mkdir -p "$out"
# flip FILE OFFSET COPY: COPY is FILE with the byte at OFFSET changed.
flip() {
    cp "$1" "$3"
    byte=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
    printf "\\$(printf %03o $((byte ^ 0x5A)))" | dd of="$3" bs=1 seek="$2" conv=notrunc 2>/dev/null
}
good=$payload/cdrdr32.dl_
size=$(stat -c %s "$good")
head -c 600 "$good" >"$out/truncated.bin"
flip "$good" 9 "$out/name.bin" # the name's last character, which LZ32 never reads
flip "$good" $((size / 2)) "$out/middle.bin"
flip "$payload/trkpl32.dl_" 3000 "$out/damaged.bin"
