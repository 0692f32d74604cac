#!/bin/sh
# Walks the main road with the real program on a fresh user folder.
#   run_road.sh ZERKON SCRIPT OUTDIR [headless|gl] [ROADPLAN]
# The places the router must visit, one a line, are in SCRIPT's name with ".expected" in
# place of ".script". With ROADPLAN (zerkon_roadplan) the script's "solve" lines become the
# moves that win their level, computed from the asset tree next to ZERKON.
# When SCRIPT's name with "-continue.script" in place of ".script" exists, the program is
# started a second time on the same user folder with that script (and its own ".expected").
# After each run the patterns of SCRIPT's name with ".profile" (or "-continue.profile") in
# place of ".script", one grep -E pattern a line, must all be found in the player's
# profile file, so what was played is known to have been saved.
# Headless by default; with "gl" it runs the gl backend under SDL's offscreen driver and
# also checks that the script's shots were written (exit 77, skipped, without a GL context).
set -u
abs() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
zerkon=$(abs "$1")
script=$(abs "$2")
mkdir -p "$3"
out=$(abs "$3")
mode=${4:-headless}
plan=${5:-}
[ -n "$plan" ] && plan=$(abs "$plan")

rm -rf "$out"
mkdir -p "$out/user" "$out/work"
cd "$out/work" || exit 1

if [ "$mode" = gl ]; then
    export SDL_VIDEODRIVER=offscreen ZERKON_HEADLESS=0
else
    export ZERKON_HEADLESS=1
fi

fail() {
    echo "FAIL: $1"
    for f in "$out"/stdout*.txt "$out"/stderr*.txt; do
        [ -f "$f" ] && { echo "--- $(basename "$f")"; cat "$f"; }
    done
    exit 1
}

# One start of the program: run NAME SCRIPT.
run() {
    name=$1
    src=$2
    run_script="$out/$name.script"
    if [ -n "$plan" ]; then
        "$plan" "$(dirname "$zerkon")/assets" "$src" >"$run_script" 2>"$out/plan-$name.txt" ||
            fail "the moves of $(basename "$src") could not be planned: $(cat "$out/plan-$name.txt")"
    else
        cp "$src" "$run_script"
    fi
    # The frame limit only ends a run that lost its way; the road itself ends on "END".
    ZERKON_USER_DIR="$out/user" ZERKON_SCRIPT="$run_script" ZERKON_ROUTER_LOG=1 ZERKON_FRAMES=4000 \
        "$zerkon" >"$out/stdout-$name.txt" 2>"$out/stderr-$name.txt"
    rc=$?

    if [ "$mode" = gl ] && [ $rc -ne 0 ] && grep -qi "could not be opened\|no GL\|OpenGL" "$out/stderr-$name.txt"; then
        echo "no GL context here: skipped"
        exit 77
    fi
    [ $rc -eq 0 ] || fail "$name: exit code $rc"
    [ -f "$out/user/Data/settings.dat" ] || fail "$name: Data/settings.dat was not written"
    [ -d "$out/user/Profiles" ] || fail "$name: Profiles/ was not made"
    if grep -q "^Notify:" "$out/stderr-$name.txt"; then fail "$name: a message box was shown"; fi

    # The places in the order the road visits them, ending on "END".
    expected="${src%.script}.expected"
    [ -f "$expected" ] || fail "no list of expected places: $expected"
    want=$(tr '\n' ' ' <"$expected")
    got=$(sed -n 's/^place: //p' "$out/stdout-$name.txt" | tr '\n' ' ')
    [ "$(echo $got)" = "$(echo $want)" ] || fail "$name: road was: $got"

    # What the player did is on disk: the profile list names one player, whose folder
    # holds the profile file with the expected values.
    patterns="${src%.script}.profile"
    if [ -f "$patterns" ]; then
        [ -f "$out/user/Profiles/profiles.dat" ] || fail "$name: Profiles/profiles.dat was not written"
        id=$(sed -n 's/^[[:space:]]*actProfile = "\(.*\)"/\1/p' "$out/user/Profiles/profiles.dat")
        [ -n "$id" ] || fail "$name: no current player in Profiles/profiles.dat"
        profile="$out/user/Profiles/$id/profile.dat"
        [ -f "$profile" ] || fail "$name: $profile was not written"
        while IFS= read -r p; do
            case "$p" in "" | \#*) continue ;; esac
            grep -Eq -- "$p" "$profile" || fail "$name: the profile file lacks /$p/: $(cat "$profile")"
        done <"$patterns"
        [ -f "$out/user/Profiles/$id/level.lvl" ] || fail "$name: the level in progress was not saved"
    fi

    if [ "$mode" = gl ]; then
        for shot in $(sed -n 's/^[0-9]* shot //p' "$run_script"); do
            [ -s "$out/work/$shot" ] || fail "$name: shot $shot was not written"
        done
    fi
    echo "$name: road walked: $(echo "$got" | wc -w) places"
}

run road "$script"
again="${script%.script}-continue.script"
[ -f "$again" ] && run road-continue "$again"
exit 0
