#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the user's desktop session.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target horalux
program="build/dev/src/program/horalux"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<TXT
No display: Horalux is a desktop program that lives in the notification area.
It is built at $program. To run it without a desktop, start a virtual X server with a tray host:

    Xvfb :99 -screen 0 1280x800x24 &
    DISPLAY=:99 trayer --edge bottom --align right --widthtype request --height 24 &
    DISPLAY=:99 LANG=C.UTF-8 $program -logconsole
TXT
    exit 1
fi
exec "$program" "$@"
