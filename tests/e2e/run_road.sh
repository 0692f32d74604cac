#!/bin/sh
# Walks the router's road with the real program on a fresh user folder.
#   run_road.sh ZERKON SCRIPT OUTDIR [gl]
# The places the router must visit, one a line, are in SCRIPT's name with ".expected" in
# place of ".script".
# Headless by default; with "gl" it runs the gl backend under SDL's offscreen driver and
# also checks that the script's shots were written (exit 77, skipped, without a GL context).
set -u
abs() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
zerkon=$(abs "$1")
script=$(abs "$2")
mkdir -p "$3"
out=$(abs "$3")
mode=${4:-headless}

rm -rf "$out"
mkdir -p "$out/user" "$out/work"
cd "$out/work" || exit 1

if [ "$mode" = gl ]; then
    export SDL_VIDEODRIVER=offscreen ZERKON_HEADLESS=0
else
    export ZERKON_HEADLESS=1
fi
# The frame limit only ends a run that lost its way; the road itself ends on "END".
ZERKON_USER_DIR="$out/user" ZERKON_SCRIPT="$script" ZERKON_ROUTER_LOG=1 ZERKON_FRAMES=3000 \
    "$zerkon" >"$out/stdout.txt" 2>"$out/stderr.txt"
rc=$?

fail() {
    echo "FAIL: $1"
    echo "--- stdout"; cat "$out/stdout.txt"
    echo "--- stderr"; cat "$out/stderr.txt"
    exit 1
}

if [ "$mode" = gl ] && [ $rc -ne 0 ] && grep -qi "could not be opened\|no GL\|OpenGL" "$out/stderr.txt"; then
    echo "no GL context here: skipped"
    exit 77
fi
[ $rc -eq 0 ] || fail "exit code $rc"
[ -f "$out/user/Data/settings.dat" ] || fail "Data/settings.dat was not written"
[ -d "$out/user/Profiles" ] || fail "Profiles/ was not made"
if grep -q "^Notify:" "$out/stderr.txt"; then fail "a message box was shown"; fi

# The places in the order the road visits them, ending on "END".
expected="${script%.script}.expected"
[ -f "$expected" ] || fail "no list of expected places: $expected"
want=$(tr '\n' ' ' <"$expected")
got=$(sed -n 's/^place: //p' "$out/stdout.txt" | tr '\n' ' ')
[ "$(echo $got)" = "$(echo $want)" ] || fail "road was: $got"

if [ "$mode" = gl ]; then
    for shot in $(sed -n 's/^[0-9]* shot //p' "$script"); do
        [ -s "$out/work/$shot" ] || fail "shot $shot was not written"
    done
fi
echo "road walked: $(echo "$got" | wc -w) places"
exit 0
