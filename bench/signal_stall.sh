#!/usr/bin/env bash
# How long the GUI thread is held by the time signal, and the player's memory, for files that
# have frozen or ended the exam before: 1 GB of zeros, 1 GB of zeros behind a RIFF/WAVE header,
# a valid 1 GB WAV at 384 kHz with 8 channels, and WAVs of an hour and of nine minutes (44.1 kHz
# stereo), each played for PLAY_SECONDS. The files are sparse: they cost no disk. A private
# sound server with a null sink stands in for the desktop's.
#   bench/signal_stall.sh BUILD_DIR [PLAY_SECONDS]
# BENCH_FILES="big hour" picks some of them.
set -euo pipefail
build=$(cd "${1:?build dir}" && pwd)
play=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }
# wav FILE RATE CHANNELS DATA_BYTES: a 16-bit PCM header, then DATA_BYTES of silence, sparse.
wav() {
    local file=$1 rate=$2 channels=$3 bytes=$4
    { printf RIFF; le32 $((36 + bytes)); printf 'WAVEfmt '; le32 16; le16 1; le16 "$channels"
      le32 "$rate"; le32 $((rate * channels * 2)); le16 $((channels * 2)); le16 16
      printf data; le32 "$bytes"; } >"$file"
    truncate -s $((44 + bytes)) "$file"
}

truncate -s 1G "$dir/zeros.wav"
{ printf RIFF; le32 $((1024 * 1024 * 1024 - 8)); printf WAVE; } >"$dir/riff-zeros.wav"
truncate -s 1G "$dir/riff-zeros.wav"
wav "$dir/big.wav" 384000 8 $((1024 * 1024 * 1024 - 44))
wav "$dir/hour.wav" 44100 2 $((3600 * 44100 * 4))
wav "$dir/nine-minutes.wav" 44100 2 $((540 * 44100 * 4))

printf '%-34s %14s %14s %10s %10s %10s\n' file 'tick held ms' '0:00 held ms' 'RSS kB' 'peak kB' \
    'close ms'
for name in ${BENCH_FILES:-zeros riff-zeros big hour nine-minutes}; do
    out=$("$here/../tests/unit/with_null_sink.sh" "$build/signal_stall" "$dir/$name.wav" "$play")
    value() { awk -v k="$1" '$1 == k { print $2 }' <<<"$out"; }
    printf '%-34s %14s %14s %10s %10s %10s\n' \
        "$name.wav ($(du -h --apparent-size "$dir/$name.wav" | cut -f1))" "$(value tick_answer_ms)" \
        "$(value zero_answer_ms)" "$(value rss_kb_before)" "$(value rss_kb_peak)" "$(value close_ms)"
done
