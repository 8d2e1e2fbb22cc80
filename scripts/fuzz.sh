#!/usr/bin/env bash
# Builds the fuzz targets with clang-14 in build-fuzz and runs the RTF reader's target for the
# given number of seconds on one core. New inputs go to build-fuzz/corpus; crashes, hangs and
# leaks to build-fuzz/artifacts. The seeds in fuzz/corpus are read, never written.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" --target rtfreader_fuzz -j2

mkdir -p "$build/corpus" "$build/artifacts"
cd "$build"
rm -f fuzz-0.log
touch .run-start
status=0
# Inputs up to 1 MB, so that shapes whose cost grows with their length (a paragraph of tens of
# thousands of runs) can be reached; the seed one_paragraph_runs.rtf starts the fuzzer there. In
# this instrumented build the slowest 1 MB input we know (a paragraph per few bytes) reads in about
# 6 s, while a builder that is quadratic in the runs of a paragraph needed 73 s for 8,000 runs
# (72 KB). A 30 s timeout leaves linear reading of the largest input five times its time and still
# stops any quadratic path from a few thousand runs on.
QT_QPA_PLATFORM=offscreen ./rtfreader_fuzz \
    -max_total_time="$seconds" -jobs=1 -workers=1 \
    -dict="$root/fuzz/rtf.dict" -max_len=1048576 -timeout=30 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/" \
    "$build/corpus" "$root/fuzz/corpus" || status=$?
[ -f fuzz-0.log ] && tail -n 30 fuzz-0.log
# With -jobs the findings are in the child's log and the artifacts, not in our exit status.
findings=$(find "$build/artifacts" -type f -newer .run-start | sort)
if [ -n "$findings" ]; then
    echo "findings:" >&2
    echo "$findings" >&2
    status=1
fi
exit $status
