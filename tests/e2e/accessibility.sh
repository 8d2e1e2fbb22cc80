#!/usr/bin/env bash
# What a screen reader hears, read over the desktop's accessibility bus (AT-SPI) from the real
# program under Xvfb: the tab strips as page tabs, the figures described, every control named, and
# the selection heard moving when the sheet's pages are turned with the keyboard, and an item's
# explanation heard in the results window once the key is shown from the keyboard.
PROG=${1:?program} LAYOUT=${2:?e2e_layout}
HERE=$(cd "$(dirname "$0")" && pwd)

# A private session bus, and so a private accessibility bus, for this run alone. The bus launcher
# keeps its socket under XDG_RUNTIME_DIR and would publish itself on DISPLAY's root window; neither
# may be a real desktop's.
if [ -z "${E2E_A11Y_SESSION:-}" ]; then
    E2E_A11Y_SESSION=$(mktemp -d)
    export E2E_A11Y_SESSION
    mkdir -m 700 "$E2E_A11Y_SESSION/runtime"
    export XDG_RUNTIME_DIR="$E2E_A11Y_SESSION/runtime"
    unset DISPLAY WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS
    status=0
    # Without privileges the bus daemons cannot raise their file limits, and say so each time.
    dbus-run-session -- "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2) || status=$?
    rm -rf "$E2E_A11Y_SESSION"
    exit "$status"
fi

source "$HERE/lib.sh"
e2e_start_x
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The accessibility bus comes up before the program, as in a desktop session.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null || fail "no accessibility bus"
e2e_start_program "$PROG"
# There is no window manager to hand the keyboard to a window; give it as one would.
xdotool windowfocus --sync "$E2E_WIN"

"$LAYOUT" labels >"$E2E_TMP/labels"
/usr/bin/python3 "$HERE/accessible_tree.py" "$(basename "$PROG")" "$E2E_TMP/labels" \
    "${E2E_A11Y_DUMP:-$E2E_TMP/tree.txt}" || fail "the accessible tree is not as a screen reader needs it"
echo "1 passed, 0 failed"
