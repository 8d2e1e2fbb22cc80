#!/usr/bin/env bash
# Runs the command given under a private session bus, and so a private accessibility bus, for it
# alone. The bus launcher keeps its socket under XDG_RUNTIME_DIR and would publish itself on
# DISPLAY's root window; neither may be a real desktop's.
set -euo pipefail
session=$(mktemp -d)
trap 'rm -rf "$session"' EXIT
mkdir -m 700 "$session/runtime"
export XDG_RUNTIME_DIR="$session/runtime"
unset DISPLAY WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS
# Without privileges the bus daemons cannot raise their file limits, and say so each time.
dbus-run-session -- "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
