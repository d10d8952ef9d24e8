#!/bin/sh
# Runs a command with a 16 KiB file system mounted at DIR, so that writes
# there run out of space; skips (exit 77) where mounting is not allowed.
#   small-fs.sh DIR COMMAND...
set -u
dir=$1
shift
mkdir -p "$dir"
if ! mount -t tmpfs -o size=16k tmpfs "$dir" 2>/dev/null; then
    echo "skipped: cannot mount a small file system here (needs root)"
    exit 77
fi
"$@"
status=$?
umount "$dir"
exit $status
