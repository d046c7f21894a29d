#!/usr/bin/env bash
# Runs a test program on a private X server with a tray host: starts Xvfb on a free display
# number and trayer, runs the program with QT_QPA_PLATFORM=xcb, then stops both. Without Xvfb
# the program runs as it is (its X tests skip themselves). Bounded in time throughout.
set -u
program="$1"
shift
if ! command -v Xvfb >/dev/null; then
    echo "run-with-xvfb: Xvfb is not installed; the X tests skip themselves"
    exec "$program" "$@"
fi
display=""
for n in $(seq 90 189); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
        display=$n
        break
    fi
done
[ -n "$display" ] || { echo "run-with-xvfb: no free display number"; exit 1; }
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
tray=""
cleanup() {
    [ -n "$tray" ] && kill "$tray" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X${display}" ] && break
    if ! kill -0 "$xvfb" 2>/dev/null; then
        echo "run-with-xvfb: Xvfb did not start"
        exit 1
    fi
    sleep 0.1
done
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
if command -v trayer >/dev/null; then
    trayer --edge bottom --align right --widthtype request --height 24 >/dev/null 2>&1 &
    tray=$!
fi
timeout 240 "$program" "$@"
