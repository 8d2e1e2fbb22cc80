#!/usr/bin/env bash
# The real program, clicked like a person: tick the key's answers on all 46 tabs, press Score,
# and see the ring on the selected tab; untick one of its boxes, Score again, and see it gone.
# Then one wrong tick more, Score, and the results window opened by its access keys shows the
# total and the wrong item's row. Ctrl++ enlarges the paper's text; Ctrl+0 gives back the
# designed pixels.
PROG=${1:?program} LAYOUT=${2:?e2e_layout}
source "$(dirname "$0")/lib.sh"

e2e_start_x
e2e_start_program "$PROG"

e2e_screenshot "$E2E_TMP/start.png"
[ "$(e2e_count_colour "$E2E_TMP/start.png" 24 72 73 33 255 0 0)" -eq 0 ] || fail "red on the Start button?"

e2e_click_key_answers "$LAYOUT"

score_button="64 248"   # the middle of 得　点
e2e_click $score_button
read -r mx my mw mh < <("$LAYOUT" mark 46)
e2e_screenshot "$E2E_TMP/scored.png"
red=$(e2e_count_colour "$E2E_TMP/scored.png" "$mx" "$my" 32 32 255 0 0)
echo "red pixels in the ring of the selected tab after a full-key Score: $red"
[ "$red" -ge 40 ] || fail "no ring on tab 6B-(49) after scoring the key"

# The score label reads 200: not read from pixels here, but a blank label would leave the pink
# background untouched, so check that text was drawn there.
ink=$(e2e_count_colour "$E2E_TMP/scored.png" 48 296 28 19 255 128 255)
[ "$ink" -lt $((28 * 19)) ] || fail "the score label is blank after Score"

# Untick ③ of the selected group and score again: the ring goes.
read -r _ _ box_x box_y _ _ < <("$LAYOUT" key | awk '$5 == 46 && $6 == 3')
e2e_click "$box_x" "$box_y"
e2e_click $score_button
e2e_screenshot "$E2E_TMP/rescored.png"
red=$(e2e_count_colour "$E2E_TMP/rescored.png" "$mx" "$my" 32 32 255 0 0)
echo "red pixels there after unticking one box and scoring again: $red"
[ "$red" -eq 0 ] || fail "the ring stayed after the item became wrong"

# A known mixed sheet: the key but for ⑤ and ⑩ alone on 6B-(49) and ① with ② on 1A-問1.
read -r tab_x tab_y box_x box_y _ _ < <("$LAYOUT" box 1 2)
e2e_click "$tab_x" "$tab_y"
e2e_click "$box_x" "$box_y"
e2e_click $score_button

# The paper's first line grows with Ctrl++ three times; Ctrl+0 restores the designed pixels.
paper="136 24 400 60"
xdotool windowfocus --sync "$E2E_WIN"
designed=$(e2e_first_line_height "$E2E_TMP/start.png" $paper)
xdotool key --delay 50 ctrl+plus ctrl+plus ctrl+plus
e2e_screenshot "$E2E_TMP/zoomed.png"
zoomed=$(e2e_first_line_height "$E2E_TMP/zoomed.png" $paper)
echo "the paper's first line: $designed px high as designed, $zoomed px at 175 %"
[ "$designed" -ge 8 ] && [ $((zoomed * 100)) -ge $((designed * 150)) ] ||
    fail "Ctrl++ did not make the paper's text taller"
xdotool key ctrl+0
e2e_screenshot "$E2E_TMP/restored.png"
crop_paper() { convert "$1" -crop "660x393+$((E2E_X + 128))+$E2E_Y" +repage "$2"; }
crop_paper "$E2E_TMP/start.png" "$E2E_TMP/paper-start.png"
crop_paper "$E2E_TMP/restored.png" "$E2E_TMP/paper-restored.png"
differ=$(compare -metric AE "$E2E_TMP/paper-start.png" "$E2E_TMP/paper-restored.png" null: 2>&1 || true)
echo "paper pixels that differ from the start after Ctrl+0: $differ"
[ "$differ" = 0 ] || fail "Ctrl+0 did not bring back the designed paper"

# 結果 by Alt+G, R: the total as the score label has it, and 1A-問1's row marked ×, 0 of 2.
xdotool key --delay 100 alt+g r
results=
for _ in $(seq 30); do
    results=$(xdotool search --onlyvisible --name '^結果$' 2>/dev/null | head -n1 || true)
    [ -n "$results" ] && break
    sleep 0.1
done
[ -n "$results" ] || fail "Alt+G, R opened no results window"
eval "$(xdotool getwindowgeometry --shell "$results")"
E2E_X=$X E2E_Y=$Y
e2e_screenshot "$E2E_TMP/results.png"
total=$(e2e_read_text "$E2E_TMP/results.png" 0 0 "$WIDTH" 40 '0123456789/')
echo "the results window's total reads: $total"
[[ "$total" =~ 183/+200 ]] || fail "the results window does not show 183 / 200"
wrong_rows=$(e2e_rows_with_colour "$E2E_TMP/results.png" 0 40 "$WIDTH" $((HEIGHT - 40)) 204 0 0)
[ -n "$wrong_rows" ] || fail "no × in the results window"
first=$(head -n1 <<<"$wrong_rows") last=$(tail -n1 <<<"$wrong_rows")
[ $((last - first)) -lt 20 ] || fail "× on more than one visible row: $first to $last"
# The row's label at its left, its points right of the × (the first red from the left: a change
# since the attempt before, ○→×, is red too, further right).
cross_right=$(convert "$E2E_TMP/results.png" -crop "${WIDTH}x$((last - first + 1))+$X+$((Y + first))" +repage \
    -depth 8 txt:- | awk -F'[(),:]' 'NR > 1 && ($4 - 204) ^ 2 + $5 ^ 2 + $6 ^ 2 < 3600 { print $1 }' |
    sort -n -u | awk 'NR > 1 && $1 > last + 12 { exit } { last = $1 } END { print last }')
label=$(e2e_read_text "$E2E_TMP/results.png" 0 $((first - 4)) 75 $((last - first + 9)) '0123456789AB-')
# Only the points column: the answer book's pane stands further right.
points=$(e2e_read_text "$E2E_TMP/results.png" $((cross_right + 6)) $((first - 4)) 120 $((last - first + 9)) '0123456789/')
echo "the row with the ×: label $label, points $points"
[[ "$label" == *1A-* && "$points" == 0/2 ]] || fail "the × row is not 1A-問1 with 0/2"
echo "1 passed, 0 failed"
