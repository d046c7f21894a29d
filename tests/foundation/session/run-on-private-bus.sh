#!/usr/bin/env bash
# Runs a test program on a private message bus that stands in for both the session bus and the
# system bus, so that its tests can send the signals of screen savers and of the login manager.
# Without dbus-run-session the program runs as it is (its bus tests skip themselves). Bounded in
# time.
set -u
if [ "${1:-}" = "--inside" ]; then
    shift
    export DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" HORALUX_TEST_BUSES=private
    exec "$@"
fi
if ! command -v dbus-run-session >/dev/null; then
    echo "run-on-private-bus: dbus-run-session is not installed; the bus tests skip themselves"
    exec "$@"
fi
exec timeout 240 dbus-run-session -- "$0" --inside "$@"
