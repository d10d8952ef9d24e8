#!/bin/sh
# Runs one Windows program under Wine with everything kept inside the build
# tree: the Wine prefix, HOME and the XDG folders (Wine links the desktop and
# the Start menu into HOME). The prefix follows the loader: 32-bit Wine's in
# wine/prefix, a 32-bit Windows (left to itself, even 32-bit Wine makes a
# 64-bit one where 64-bit Wine is installed); 64-bit Wine's in wine/prefix64,
# where 64-bit Wine hands a 32-bit program to 32-bit Wine, which runs it
# there as under WoW64.
#   wine-run.sh BUILD_DIR WINE_LOADER PROGRAM [ARGUMENTS...]
set -eu
build=$1 loader=$2
shift 2

root="$build/wine"
export HOME="$root/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache" XDG_DESKTOP_DIR="$HOME/Desktop"
export XDG_RUNTIME_DIR="$root/run"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
case "$loader" in
    *wine64) export WINELOADER="$loader" WINEPREFIX="$root/prefix64" ;;
    *) export WINEPREFIX="$root/prefix" WINEARCH=win32 ;;
esac
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# The first program creates the prefix; the lock keeps parallel runs from
# creating it twice. It counts as made only when wineboot succeeded: a failed
# one is removed and made again next time, rather than left for every later
# program to trip over.
if [ ! -f "$WINEPREFIX/.ready" ]; then
    (
        flock 9
        [ -f "$WINEPREFIX/.ready" ] && exit
        status=0
        "$loader" wineboot -i >"$root/wineboot.log" 2>&1 || status=$?
        "$(dirname "$loader")/wineserver" -w 2>/dev/null || true
        if [ $status != 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
            echo "wine-run.sh: could not make the Wine prefix $WINEPREFIX (wineboot's exit code $status, its end below);" \
                "it is made again next time" >&2
            tail -n 5 "$root/wineboot.log" >&2
            rm -rf "$WINEPREFIX"
            exit 1
        fi
        touch "$WINEPREFIX/.ready"
    ) 9>"$root/.prefix.lock"
fi

exec "$loader" "$@"
