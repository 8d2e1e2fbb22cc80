#!/usr/bin/env bash
# Builds the core library and the unit tests with AddressSanitizer and UndefinedBehaviorSanitizer
# in a tree of their own and runs the unit tests there. Any report fails the run.
# usage: tests/sanitizers/run.sh [build-dir] [jobs]
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build-asan}"
jobs="${2:-2}"

flags="-O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
# Only what the unit tests link: the program, tools and benchmarks are not built here.
cmake --build "$build" --target unit_tests -j "$jobs"

# abort_on_error turns a report into a failed test. Qt and the libraries under it free what
# they hold at exit, so LeakSanitizer runs with no suppressions at all.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
ctest -L unit --output-on-failure -j1
