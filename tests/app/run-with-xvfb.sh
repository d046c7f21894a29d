#!/usr/bin/env bash
# Runs a test program on a private X server with a tray host: starts Xvfb on a display number it
# picks itself (-displayfd, so that X servers started at the same time by other test runs never
# share a number), starts trayer, runs the program with QT_QPA_PLATFORM=xcb, then stops both.
# Without Xvfb the program runs as it is (its X tests skip themselves). Bounded in time throughout.
set -u
program="$1"
shift
if ! command -v Xvfb >/dev/null; then
    echo "run-with-xvfb: Xvfb is not installed; the X tests skip themselves"
    exec "$program" "$@"
fi
numberFile=$(mktemp)
exec 3>"$numberFile"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
tray=""
cleanup() {
    [ -n "$tray" ] && kill "$tray" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -f "$numberFile"
}
trap cleanup EXIT
display=""
for _ in $(seq 1 100); do
    display=$(tr -dc '0-9' <"$numberFile")
    [ -n "$display" ] && [ -e "/tmp/.X11-unix/X${display}" ] && break
    if ! kill -0 "$xvfb" 2>/dev/null; then
        echo "run-with-xvfb: Xvfb did not start"
        exit 1
    fi
    sleep 0.1
done
[ -n "$display" ] || { echo "run-with-xvfb: Xvfb did not report its display"; exit 1; }
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
if command -v trayer >/dev/null; then
    trayer --edge bottom --align right --widthtype request --height 24 >/dev/null 2>&1 &
    tray=$!
fi
timeout 240 "$program" "$@"
