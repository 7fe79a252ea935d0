#!/usr/bin/env bash
# Kills a run that loads a saved game and saves it again under the same name, at a random moment
# while the save is being written, again and again, and checks after every kill that the save is
# whole: the old game or the same game written again, never a cut or an empty file. At the end a
# listing of the saves removes the temporary files the killed saves left behind.
#   kill_during_save.sh SIM DATA_ROOT WORK [ROUNDS]
set -u
sim=$1
root=$2
work=$3
rounds=${4:-100}
rm -rf "$work"
mkdir -p "$work"
run() { "$sim" --data-root "$root" --user-dir "$work" --quiet "$@"; }

run --seed 5 --new --turns 3 --save keep || { echo "could not make the first save"; exit 1; }
save="$work/savegames/keep.xml"
# The date line is the moment of saving; everything else must stay as it was.
whole() { grep -v '^<date>' "$1" | md5sum; }
good=$(whole "$save")

run --seed 6 --load keep --save keep || { echo "a load and save of the first save failed"; exit 1; }
[ "$(whole "$save")" = "$good" ] || { echo "a save loaded and saved again is not the same"; exit 1; }

# Each round waits for the save's temporary file to appear, then kills the runner a random few
# milliseconds later: while the file is written, flushed or renamed, or just after. Rounds in
# which the save finished before it was seen are run again.
kills=0
tries=0
while ((kills < rounds && tries < rounds * 5)); do
    tries=$((tries + 1))
    # The runner itself in the background, not a shell around it, so the kill reaches it.
    "$sim" --data-root "$root" --user-dir "$work" --quiet --seed "$tries" --load keep \
        --save keep 2>/dev/null &
    pid=$!
    seen=0
    while kill -0 "$pid" 2>/dev/null; do
        if [ -e "$save.tmp" ]; then
            seen=1
            break
        fi
    done
    if ((seen)); then
        sleep "0.0$((RANDOM % 40 + 10))"
        kill -9 "$pid" 2>/dev/null
        kills=$((kills + 1))
    fi
    wait "$pid" 2>/dev/null
    if [ ! -f "$save" ] || [ "$(whole "$save")" != "$good" ]; then
        echo "a save killed in round $tries left the old save damaged"
        exit 1
    fi
done
if ((kills < rounds)); then
    echo "only $kills of $tries saves could be caught while writing"
    exit 1
fi

run --list-saves > /dev/null
if compgen -G "$work/savegames/*.tmp" > /dev/null; then
    echo "the listing left temporary files behind:" "$work"/savegames/*.tmp
    exit 1
fi
echo "$kills saves killed while writing, in $tries rounds; the save was whole after every one"
