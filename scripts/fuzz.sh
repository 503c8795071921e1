#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) into
# build-fuzz/ (or $QX_FUZZ_DIR) and runs them side by side for $QX_FUZZ_SECONDS seconds each
# (60), from the seeds in fuzz/corpus/ and what earlier runs here found. A crash, leak, timeout or
# broken check fails the run and leaves its input in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=${QX_FUZZ_DIR:-build-fuzz}
seconds=${QX_FUZZ_SECONDS:-60}
targets=(ime_query_comp_fuzzer bytes_fuzzer)

cmake -S . -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None \
    "-DCMAKE_CXX_FLAGS=-O1 -g1" -DQX_SANITIZE=ON -DQX_BUILD_FUZZ=ON -DQX_BUILD_TESTS=OFF \
    -DQX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target "${targets[@]}"

mkdir -p "$build_dir/findings"
pids=()
for target in "${targets[@]}"; do
    mkdir -p "$build_dir/corpus/$target"
    "$build_dir/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build_dir/findings/$target-" \
        "$build_dir/corpus/$target" "fuzz/corpus/${target%_fuzzer}" >"$build_dir/$target.log" 2>&1 &
    pids+=($!)
done

status=0
for i in "${!targets[@]}"; do
    target=${targets[$i]}
    result=passed
    wait "${pids[$i]}" || { result=FAILED; status=1; }
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build_dir/$target.log")
    peak=$(sed -n 's/^stat::peak_rss_mb: *//p' "$build_dir/$target.log")
    echo "fuzz $target: $result, ${runs:-?} executions in ${seconds} s, peak ${peak:-?} MB"
    [ "$result" = passed ] || tail -n 60 "$build_dir/$target.log"
done
exit $status
