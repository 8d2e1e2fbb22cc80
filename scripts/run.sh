#!/usr/bin/env bash
# Starts the program, or says in one line why it cannot.
prog=${1:?program path}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: this is a desktop program. Run it on a desktop, or without one as: xvfb-run -a $prog" >&2
    exit 1
fi
exec "$prog"
