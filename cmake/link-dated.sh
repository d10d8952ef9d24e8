#!/bin/sh
# Runs a link so that the same sources give the same program: ld takes the
# PE time stamp from SOURCE_DATE_EPOCH, and without it from a fixed 0 rather
# than the clock.
#   link-dated.sh LINK_COMMAND...
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-0}"
exec "$@"
