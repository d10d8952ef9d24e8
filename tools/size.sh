#!/bin/sh
# Prints the set-up program's size without its payload and fails when it
# grows past what the product allows (40,960 bytes, artwork included).
#   size.sh BUILD_DIR
set -eu
limit=40960
bytes=$(stat -c %s "$1/setup_without_payload.exe")
total=$(stat -c %s "$1/setup.exe")
echo "setup.exe: $total bytes; without its payload: $bytes bytes (at most $limit)"
[ "$bytes" -le "$limit" ]
