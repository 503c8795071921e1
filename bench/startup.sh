#!/usr/bin/env bash
# Start-up time: from starting the program to its window shown on a virtual X display, as the
# median of several runs. The build directory is $QX_BUILD_DIR or build/.
#   bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
export QX_RUNS=${1:-9} QX_APP=$(realpath "${QX_BUILD_DIR:-build}")/app/quilldex2
xvfb-run -a -s "-screen 0 800x600x24 -noreset" bash -c '
    set -euo pipefail
    export XDG_RUNTIME_DIR=$(mktemp -d)
    trap "rm -rf \"\$XDG_RUNTIME_DIR\"" EXIT
    times=()
    for _ in $(seq "$QX_RUNS"); do
        start=$(date +%s%N)
        "$QX_APP" & app=$!
        until xwininfo -name "Quilldex 2" 2>/dev/null | grep -q IsViewable; do
            kill -0 $app 2>/dev/null || { echo "the program ended before showing its window" >&2; exit 1; }
            sleep 0.002
        done
        times+=($(( ($(date +%s%N) - start) / 1000000 )))
        kill $app; wait $app 2>/dev/null || true
    done
    sorted=($(printf "%s\n" "${times[@]}" | sort -n))
    echo "start-up to window shown, ms: ${times[*]}"
    echo "median: ${sorted[$(( ${#sorted[@]} / 2 ))]} ms over ${#sorted[@]} runs"
'
