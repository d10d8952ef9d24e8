#!/bin/sh
# Runs a command on a virtual X display that keeps its screen in FOLDER
# (Xvfb -fbdir FOLDER) and saves a picture each time the screen changes, as
# FOLDER/NN-CAPTION.png: numbered in the order taken, named after the window
# on top, so that a reader can follow the run. Ends with the command's exit
# code.
#   screenshots.sh FOLDER COMMAND [ARGUMENTS...]
set -eu
shots=$1
shift

# The caption of the window on top. Without a window manager, Wine's top-level
# windows are the root's own children, listed top-most first, each carrying
# its caption as its X name; hidden ones (Wine keeps a few) are passed over.
on_top() {
    xwininfo -root -children 2>/dev/null | sed -n 's/^ *\(0x[0-9a-f]*\) "\(.*\)": (.*/\1 \2/p' |
        while read -r id caption; do
            if xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
                printf '%s\n' "$caption"
                break
            fi
        done
}

"$@" &
command=$!
screen="$shots/Xvfb_screen0" last= taken=0
while kill -0 $command 2>/dev/null; do
    if [ -f "$screen" ] && ! cmp -s "$screen" "$last"; then
        taken=$((taken + 1))
        # A caption may hold anything; a file name may not.
        name=$(on_top | tr -d '\000-\037' | tr '/\\:*?"<>|' '_')
        next="$shots/$(printf %02d $taken)-${name:-no window}.xwd"
        cp "$screen" "$next" && last=$next
    fi
    sleep 0.1
done
status=0
wait $command || status=$?
for picture in "$shots"/*.xwd; do
    [ -f "$picture" ] && convert "xwd:$picture" "${picture%.xwd}.png" && rm "$picture"
done
exit $status
