#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (default 30 s) on its seed corpus. Fails when a
# fuzzer finds a crash, a hang or a leak. The new inputs it finds stay in build-fuzz/, outside the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
jobs=${VARENTA_JOBS:-$(nproc)}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVARENTA_BUILD_FUZZERS=ON -DVARENTA_BUILD_TESTS=OFF -DVARENTA_BUILD_BENCHMARKS=OFF
cmake --build build-fuzz -j "$jobs" --target fuzz_resultpage fuzz_resultsfile fuzz_prizestore fuzz_gloapianswer \
    fuzz_ticketinput
run() {
    local name=$1 folder=build-fuzz/found-$1
    shift
    mkdir -p "$folder"
    echo "fuzzing $name for ${seconds}s"
    "build-fuzz/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$@" \
        "$folder" "${corpora[@]}" 2>&1 | tail -n 12
}
corpora=(tests/testdata/resultpage); run fuzz_resultpage
corpora=(fuzz/corpus/resultsfile); run fuzz_resultsfile
corpora=(fuzz/corpus/prizestore); TMPDIR=/dev/shm run fuzz_prizestore -max_len=32768
corpora=(fuzz/corpus/gloapianswer tests/testdata/glo-api); run fuzz_gloapianswer -max_len=65536
corpora=(fuzz/corpus/ticketinput); run fuzz_ticketinput -max_len=200000
