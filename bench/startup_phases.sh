#!/usr/bin/env bash
# Where the start-up's wall-clock time goes, step by step, up to the finished first frame: the
# profiling probe run RUNS times under one Xvfb, medians of each step and of each widget's
# painting in the frame. Instruction counts weigh code unevenly (fontconfig's matching runs about
# two and a half times as many instructions a nanosecond as the start-up does on average); these
# are milliseconds.
#   bench/startup_phases.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(realpath "${1:?build dir}")
runs=${2:-15}
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x

"$build/startup_probe_exam" >/dev/null # warms the file cache
for _ in $(seq "$runs"); do
    "$build/startup_probe_exam"
    echo "end"
done | awk -v runs="$runs" '
    function median(list,   n, v, i, j, t) {
        n = split(list, v, " ")
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    $1 == "at_ms" { at[$2] = $3 }
    $1 == "queued_ms" { queued = queued " " $2 }
    $1 == "paint_ms" { paint[$2] = paint[$2] " " $3; painted[$2] = 1 }
    $1 == "end" {
        step[1] = step[1] " " at["application"]
        step[2] = step[2] " " (at["window"] - at["application"])
        step[3] = step[3] " " (at["show"] - at["window"])
        step[4] = step[4] " " (at["expose"] - at["show"])
        step[5] = step[5] " " (at["frame"] - at["expose"])
        step[6] = step[6] " " at["frame"]
    }
    END {
        split("main() to QApplication made|the window built|shown, its map sent|" \
              "to the first expose|the expose: painted and flushed|main() to the frame", label, "|")
        printf "runs: %d; median milliseconds\n", runs
        for (i = 1; i <= 6; i++)
            printf "  %d %-36s %7.2f\n", i, label[i], median(step[i])
        printf "    %-36s %7.2f\n", "of 4, queued calls", median(queued)
        print "painting in the first frame, by widget (in 5):"
        for (w in painted) {
            m = median(paint[w])
            if (m >= 0.05) printf "  %7.2f  %s\n", m, w | "sort -rn"
        }
    }'
