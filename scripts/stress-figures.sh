#!/usr/bin/env bash
# Runs each stress case on its own from a build (build/ or $QX_BUILD_DIR; scripts/build.sh makes
# it) and prints its time and figures; alone, a case's peak memory is its own.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${QX_BUILD_DIR:-build}/tests/stress/stress_tests
export QT_QPA_PLATFORM=offscreen
suite=
"$program" --gtest_list_tests | while IFS= read -r line; do
    case "$line" in
    " "*) name=${line#  }; name=${name%%  #*} ;;
    *) suite=$line; continue ;;
    esac
    "$program" --gtest_filter="$suite$name" 2>/dev/null |
        sed -n -e 's/^\[ figure   \] /    /p' -e 's/^\[ *\(OK\|FAILED\) *\] \(.*\)/\1 \2/p'
done
