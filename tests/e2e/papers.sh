#!/usr/bin/env bash
# The papers, chosen as a person does: 問題 → 第２回 by the keyboard shows the second paper on
# its first tab; its key ticked by clicking scores 200; 問題 → 第１回, answered はい, brings back
# the designed paper, pixel for pixel as at start-up, with the score cleared, and the designed
# key scores 200 again. With E2E_SHOTS set to a folder, each paper's first page and figures are
# kept there.
PROG=${1:?program} LAYOUT=${2:?e2e_layout}
HERE=$(cd "$(dirname "$0")" && pwd)
[ -n "${E2E_A11Y_SESSION:-}" ] || exec "$HERE/with_a11y_bus.sh" env E2E_A11Y_SESSION=1 "$0" "$@"
source "$HERE/lib.sh"

e2e_start_x_with_a11y
e2e_start_program "$PROG"
xdotool windowfocus --sync "$E2E_WIN"
paper_area() { convert "$E2E_TMP/$1.png" -crop "660x393+$((E2E_X + 128))+$E2E_Y" +repage "$E2E_TMP/$2.png"; }
differ() { compare -metric AE "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1 || true; }
score_button="64 248"
figure_tab() { e2e_click $((128 + $1 * 165 + 82)) 10; } # the paper's tabs are a quarter wide each
# The latest attempt's total as the results window (Alt+G, R) gives a screen reader; then closed.
score() {
    xdotool windowfocus --sync "$E2E_WIN" key --delay 150 alt+g r
    /usr/bin/python3 "$HERE/results_rows.py" "$(basename "$PROG")" >"$E2E_TMP/rows.txt" ||
        fail "the results window cannot be read"
    e2e_shot "$1"
    grep '^attempt: ' "$E2E_TMP/rows.txt" | tail -n1 | sed 's/.* 合計 \([0-9]*\)点.*/\1/'
    xdotool key Escape
    sleep 0.3
}

e2e_shot first-1
paper_area first-1 paper-1
for f in 1 2 3; do figure_tab $f; e2e_shot figure-1-$f; done
figure_tab 0

# 問題 opens on its first item, 第１回; Down goes to 第２回.
xdotool key --delay 150 alt+p Down Return
sleep 0.5
e2e_shot first-2
paper_area first-2 paper-2
d=$(differ paper-1 paper-2)
echo "paper pixels that differ between 第１回 and 第２回: $d"
[ "$d" -gt 10000 ] || fail "第２回 did not replace the paper"
for f in 1 2 3; do figure_tab $f; e2e_shot figure-2-$f; done
figure_tab 0
if [ -n "${E2E_SHOTS:-}" ]; then
    xdotool key --delay 150 alt+p Down Down Return
    sleep 0.5
    e2e_shot first-3
    for f in 1 2 3; do figure_tab $f; e2e_shot figure-3-$f; done
    figure_tab 0
    xdotool key --delay 150 alt+p Down Return # back to 第２回, nothing ticked yet
    sleep 0.5
fi

e2e_click_key_answers_of() {
    local last= tab_x tab_y box_x box_y q k
    while read -r tab_x tab_y box_x box_y q k; do
        [ "$q" != "$last" ] && e2e_click "$tab_x" "$tab_y"
        e2e_click "$box_x" "$box_y"
        last=$q
    done < <("$LAYOUT" key "$1")
}
e2e_click_key_answers_of 2
e2e_click $score_button
s=$(score scored-2)
echo "第２回 scored with its key, as the results window reads: $s"
[ "$s" = 200 ] || fail "第２回's key did not score 200"

# Back to 第１回: a score is shown, so it asks; Shift+Tab from いいえ reaches はい.
xdotool windowfocus --sync "$E2E_WIN" key --delay 150 alt+p Return
sleep 0.5
xdotool key --delay 150 shift+Tab space
sleep 0.5
e2e_shot back-1
paper_area back-1 paper-back
d=$(differ paper-1 paper-back)
echo "paper pixels that differ from start-up after choosing 第１回 again: $d"
[ "$d" = 0 ] || fail "第１回 did not come back as at start-up"
ink=$(e2e_count_colour "$E2E_TMP/back-1.png" 48 296 28 19 255 128 255)
[ "$ink" -ge $((28 * 19 - 4)) ] || fail "the score was not cleared"
e2e_click_key_answers "$LAYOUT"
e2e_click $score_button
s=$(score scored-1)
echo "第１回 scored with the designed key: $s"
[ "$s" = 200 ] || fail "the designed key did not score 200"
echo "1 passed, 0 failed"
