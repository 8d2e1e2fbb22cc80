#!/usr/bin/env bash
# Practice beyond one sitting, clicked and typed like a person: mark 2A-問1 with Ctrl+M and see
# the marker on its tab; score a mixed sheet; 解き直し (Alt+G, W) turns to the first wrong item
# with its boxes cleared and keeps the right ones; tick the key on the two wrong items and score
# again: the results list two attempts with both items ×→○, and after Start and a third Score,
# three. The results are read over the accessibility bus, as a screen reader reads them.
# With E2E_SHOTS set to a folder, the screenshots are kept there.
PROG=${1:?program} LAYOUT=${2:?e2e_layout}
HERE=$(cd "$(dirname "$0")" && pwd)
[ -n "${E2E_A11Y_SESSION:-}" ] || exec "$HERE/with_a11y_bus.sh" env E2E_A11Y_SESSION=1 "$0" "$@"
source "$HERE/lib.sh"

e2e_start_x_with_a11y
e2e_start_program "$PROG"
xdotool windowfocus --sync "$E2E_WIN"
# The sheet's page below its four rows of tabs, as a screenshot crop.
page() { convert "$E2E_TMP/$1.png" -crop "653x81+$((E2E_X + 136))+$((E2E_Y + 472))" +repage "$E2E_TMP/$2.png"; }
key_box() { "$LAYOUT" key | awk -v q="$1" '$5 == q' | head -n1; }
# A box of group $1 that is not the key's.
wrong_box() {
    local k
    k=$(key_box "$1" | awk '{ print $6 }')
    "$LAYOUT" box "$1" $((k == 1 ? 2 : 1))
}
tick() { # TAB_X TAB_Y BOX_X BOX_Y Q K
    e2e_click "$1" "$2"
    e2e_click "$3" "$4"
}
score_button="64 248"

# 2A-問1 (item 9), untouched, then marked.
read -r tab_x tab_y _ < <(key_box 9)
e2e_click "$tab_x" "$tab_y"
e2e_shot blank
page blank blank-page
xdotool key ctrl+m
e2e_shot marked
# Tab 9 is the ninth of the first row: a twelfth of the sheet's 653 px each.
blue=$(e2e_count_colour "$E2E_TMP/marked.png" $((136 + 8 * 653 / 12)) 392 $((653 / 12)) 20 0 96 208)
echo "marker pixels on 2A-問1's tab: $blue"
[ "$blue" -ge 8 ] || fail "no marker on the marked tab"
heard=$(/usr/bin/python3 "$HERE/results_rows.py" "$(basename "$PROG")" tabs)
echo "tabs a screen reader hears described: $heard"
[ "$heard" = "tab: 2A-問1 — 見直し" ] || fail "the marked tab is not described as 見直し"

# The key on section 1 (items 1 to 8), a wrong box on 9 and 12, nothing elsewhere.
while read -r line; do tick $line; done < <("$LAYOUT" key | awk '$5 <= 8')
tick $(wrong_box 9)
tick $(wrong_box 12)
e2e_click $score_button

xdotool key --delay 100 alt+g w
e2e_shot retried
page retried retried-page
differ=$(compare -metric AE "$E2E_TMP/blank-page.png" "$E2E_TMP/retried-page.png" null: 2>&1 || true)
echo "pixels of 2A-問1's page that differ from its untouched page after 解き直し: $differ"
[ "$differ" = 0 ] || fail "解き直し did not turn to 2A-問1 with its boxes clear"

tick $(key_box 9)
tick $(key_box 12)
e2e_click $score_button
xdotool key --delay 100 alt+g r
rows() { /usr/bin/python3 "$HERE/results_rows.py" "$(basename "$PROG")" >"$E2E_TMP/rows.txt" || fail "the results window cannot be read"; }
rows
label() { "$LAYOUT" labels | sed -n "${1}p"; }
attempts=$(grep -c '^attempt: ' "$E2E_TMP/rows.txt" || true)
echo "attempts listed after the second Score: $attempts"
[ "$attempts" -eq 2 ] || fail "not two attempts: $(cat "$E2E_TMP/rows.txt")"
gained=$(grep '前回は不正解' "$E2E_TMP/rows.txt" | sed 's/^item: \([^ ]*\) .*/\1/' | tr '\n' ' ')
echo "items that went ×→○: $gained"
[ "$gained" = "$(label 9) $(label 12) " ] || fail "×→○ is not on exactly $(label 9) and $(label 12)"
right=$(grep -c '^item: .* 正解 [0-9]*/[0-9]*点' "$E2E_TMP/rows.txt" || true)
# Section 1 kept its ticks through 解き直し: its eight and the two put right.
[ "$right" -eq 10 ] || fail "$right items right after the retry, not 10"

# Start keeps the attempts; a third Score lists three.
e2e_click 60 88
e2e_click $score_button
xdotool key --delay 100 alt+g r
rows
e2e_shot results
attempts=$(grep -c '^attempt: ' "$E2E_TMP/rows.txt" || true)
echo "attempts listed after Start and a third Score: $attempts"
[ "$attempts" -eq 3 ] || fail "not three attempts"
echo "1 passed, 0 failed"
