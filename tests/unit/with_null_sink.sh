#!/usr/bin/env bash
# with_null_sink.sh COMMAND [ARGS...]
#
# Runs COMMAND with a private sound server whose default output is a null sink, and names the
# sink's monitor in EIGO_TEST_SINK_MONITOR so that the command can record what it plays.
set -euo pipefail

dir=$(mktemp -d)
server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT

export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime"
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
export PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR/pulse"
export PULSE_SERVER="unix:$PULSE_RUNTIME_PATH/native"
pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
    --load="module-native-protocol-unix" \
    --load="module-null-sink sink_name=eigo_sink" \
    --log-target=stderr --log-level=error 2>"$dir/pulse.log" &
server=$!
for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null 2>&1 || { echo "no sound server: $(cat "$dir/pulse.log")" >&2; exit 1; }
pactl set-default-sink eigo_sink
export EIGO_TEST_SINK_MONITOR=eigo_sink.monitor
"$@"
