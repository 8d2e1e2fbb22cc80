#!/usr/bin/env bash
# Opening times of the About, verdict and results windows, the answer book's row changes and paper switches, under Xvfb: bench/secondary_windows.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x
for which in about verdict results rows paper; do
    for _ in 1 2 3; do "${1:?build dir}/secondary_windows_bench" "$which"; done
done
