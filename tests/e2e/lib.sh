# Shared by the end-to-end tests: a private X server, the real program in it, clicks at the
# layout's coordinates and screenshots. Source it; call e2e_cleanup on exit (it is trapped).
set -euo pipefail

E2E_TMP=$(mktemp -d)
# Qt wants a private runtime folder; root under CI has none.
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
E2E_PIDS=()

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]:-}"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on a free display and exports DISPLAY.
e2e_start_x() {
    local fd_file="$E2E_TMP/display"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$fd_file" 2>"$E2E_TMP/xvfb.log" &
    E2E_PIDS+=($!)
    local i
    for i in $(seq 100); do
        [ -s "$fd_file" ] && break
        sleep 0.1
    done
    [ -s "$fd_file" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fd_file")"
    export QT_QPA_PLATFORM=xcb
}

# Starts the program given as $1 (further arguments are a command prefix such as faketime,
# placed before it by the caller) and waits for the exam window. Sets E2E_WIN, E2E_PID and the
# client area's origin E2E_X, E2E_Y on the screen.
e2e_start_program() {
    "$@" >"$E2E_TMP/program.log" 2>&1 &
    E2E_PID=$!
    E2E_PIDS+=("$E2E_PID")
    local i
    E2E_WIN=
    for i in $(seq 150); do
        E2E_WIN=$(xdotool search --onlyvisible --name '問題' 2>/dev/null | head -n1 || true)
        [ -n "$E2E_WIN" ] && break
        kill -0 "$E2E_PID" 2>/dev/null || fail "the program ended at start-up: $(cat "$E2E_TMP/program.log")"
        sleep 0.1
    done
    [ -n "$E2E_WIN" ] || fail "no exam window appeared"
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$E2E_WIN")"
    # The designed client area is the bottom 554 px; the menu bar stands above it.
    E2E_X=$X
    E2E_Y=$((Y + HEIGHT - 554))
}

# Clicks at a point of the exam window's client area.
e2e_click() {
    xdotool mousemove --sync $((E2E_X + $1)) $((E2E_Y + $2)) click 1
    sleep "${E2E_CLICK_PAUSE:-0.05}"
}

# Ticks the key's answers on all 46 tabs by clicking, turning to each tab first; $1 is the
# e2e_layout helper, which reads the layout and the key from the program's own tables.
e2e_click_key_answers() {
    local last= tab_x tab_y box_x box_y q k
    while read -r tab_x tab_y box_x box_y q k; do
        [ "$q" != "$last" ] && e2e_click "$tab_x" "$tab_y"
        e2e_click "$box_x" "$box_y"
        last=$q
    done < <("$1" key)
}

# Saves a screenshot of the whole screen to $1.
e2e_screenshot() {
    sleep 0.3
    import -window root "$1"
}

# Saves a screenshot as $E2E_TMP/$1.png, and a copy in the folder $E2E_SHOTS when that is set,
# for whoever wants to look at the run afterwards.
e2e_shot() {
    e2e_screenshot "$E2E_TMP/$1.png"
    if [ -n "${E2E_SHOTS:-}" ]; then
        mkdir -p "$E2E_SHOTS" && cp "$E2E_TMP/$1.png" "$E2E_SHOTS/"
    fi
}

# Starts the X server with the accessibility bus up before the program, as in a desktop session;
# for a script already running under with_a11y_bus.sh.
e2e_start_x_with_a11y() {
    e2e_start_x
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null || fail "no accessibility bus"
}

# Counts the pixels of a region (x y w h in client coordinates) of screenshot $1 that are close
# to the colour r g b.
e2e_count_colour() {
    local shot=$1 x=$2 y=$3 w=$4 h=$5 r=$6 g=$7 b=$8
    convert "$shot" -crop "${w}x${h}+$((E2E_X + x))+$((E2E_Y + y))" +repage -depth 8 txt:- |
        awk -v r="$r" -v g="$g" -v b="$b" -F'[(),]' '
            NR > 1 { dr = $3 - r; dg = $4 - g; db = $5 - b;
                     if (dr * dr + dg * dg + db * db < 40 * 40) n++ }
            END { print n + 0 }'
}

# Starts a private sound server whose default output is a null sink, and records that sink as
# 16-bit mono at $1 Hz into $E2E_TMP/heard.raw; returns once the recorder is writing. Sets
# E2E_RECORDER to the recorder's pid.
e2e_start_sound() {
    local rate=$1 i
    export HOME="$E2E_TMP/home"
    mkdir -p "$HOME"
    export PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR/pulse"
    export PULSE_SERVER="unix:$PULSE_RUNTIME_PATH/native"
    # Root is warned against running a per-user server, but with its own runtime folder it works.
    pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
        --load="module-native-protocol-unix" \
        --load="module-null-sink sink_name=e2e_sink" \
        --log-target=stderr --log-level=error 2>"$E2E_TMP/pulse.log" &
    E2E_PIDS+=($!)
    for i in $(seq 50); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    pactl info >/dev/null 2>&1 || fail "no sound server: $(cat "$E2E_TMP/pulse.log")"
    pactl set-default-sink e2e_sink

    : >"$E2E_TMP/heard.raw"
    parecord --latency-msec=20 -d e2e_sink.monitor --raw --format=s16le --rate="$rate" --channels=1 \
        >"$E2E_TMP/heard.raw" 2>"$E2E_TMP/parecord.log" &
    E2E_RECORDER=$!
    E2E_PIDS+=($E2E_RECORDER)
    # The recorder takes a moment to connect.
    for i in $(seq 100); do
        [ "$(stat -c %s "$E2E_TMP/heard.raw")" -ge "$rate" ] && break
        sleep 0.05
    done
    [ "$(stat -c %s "$E2E_TMP/heard.raw")" -gt 0 ] ||
        fail "the recorder writes nothing: $(cat "$E2E_TMP/parecord.log")"
}

# Reads the text of a region (x y w h in client coordinates) of screenshot $1 with OCR, enlarged
# four times first; $6 limits the characters it may read.
e2e_read_text() {
    local shot=$1 x=$2 y=$3 w=$4 h=$5 chars=$6
    command -v tesseract >/dev/null || fail "tesseract is not installed (scripts/setup.sh test)"
    convert "$shot" -crop "${w}x${h}+$((E2E_X + x))+$((E2E_Y + y))" +repage -colorspace Gray \
        -resize 400% -threshold 60% "$E2E_TMP/ocr.png"
    tesseract "$E2E_TMP/ocr.png" - --psm 7 -c tessedit_char_whitelist="$chars" 2>/dev/null |
        tr -d ' \n'
}

# The rows (y in client coordinates, one a line) of a region of screenshot $1 that hold a pixel
# close to the colour r g b.
e2e_rows_with_colour() {
    local shot=$1 x=$2 y=$3 w=$4 h=$5 r=$6 g=$7 b=$8
    convert "$shot" -crop "${w}x${h}+$((E2E_X + x))+$((E2E_Y + y))" +repage -depth 8 txt:- |
        awk -v r="$r" -v g="$g" -v b="$b" -v top="$y" -F'[(),:]' '
            NR > 1 { dr = $4 - r; dg = $5 - g; db = $6 - b;
                     if (dr * dr + dg * dg + db * db < 60 * 60) rows[$2 + top] = 1 }
            END { for (y in rows) print y }' | sort -n
}

# The height of the first band of rows, from the top of a region of screenshot $1, that hold
# dark ink: the height of the first line of text there.
e2e_first_line_height() {
    local shot=$1 x=$2 y=$3 w=$4 h=$5
    convert "$shot" -crop "${w}x${h}+$((E2E_X + x))+$((E2E_Y + y))" +repage -colorspace Gray \
        -depth 8 txt:- |
        awk -F'[(),:]' 'NR > 1 && $4 < 96 { ink[$2] = 1 }
            END { for (y = 0; y < 10000 && !(y in ink); y++) {}
                  for (n = 0; (y + n) in ink; n++) {}
                  print n }'
}
