#!/usr/bin/env bash
# What a screen reader hears, read over the desktop's accessibility bus (AT-SPI) from the real
# program under Xvfb: the tab strips as page tabs, the figures described, every control named, and
# the selection heard moving when the sheet's pages are turned with the keyboard, and an item's
# explanation heard in the results window once the key is shown from the keyboard.
PROG=${1:?program} LAYOUT=${2:?e2e_layout}
HERE=$(cd "$(dirname "$0")" && pwd)

# On a private accessibility bus of its own.
[ -n "${E2E_A11Y_SESSION:-}" ] || exec "$HERE/with_a11y_bus.sh" env E2E_A11Y_SESSION=1 "$0" "$@"

source "$HERE/lib.sh"
e2e_start_x_with_a11y
e2e_start_program "$PROG"
# There is no window manager to hand the keyboard to a window; give it as one would.
xdotool windowfocus --sync "$E2E_WIN"

"$LAYOUT" labels >"$E2E_TMP/labels"
/usr/bin/python3 "$HERE/accessible_tree.py" "$(basename "$PROG")" "$E2E_TMP/labels" \
    "${E2E_A11Y_DUMP:-$E2E_TMP/tree.txt}" || fail "the accessible tree is not as a screen reader needs it"
echo "1 passed, 0 failed"
