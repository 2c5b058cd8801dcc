#!/usr/bin/env bash
# Installs what Varenta needs on Debian 12, then checks everything CI checks: formatting, a build with warnings as
# errors, every test, a smoke start of the program, the Debian package, and every test again under AddressSanitizer
# and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
# Parallel jobs of the builds and the tests: one per core, or VARENTA_JOBS (say 1 on a small or shared machine).
jobs=${VARENTA_JOBS:-$(nproc)}

step() { printf '\n==== %s\n' "$*"; }

step "Installing packages"
bash scripts/install-deps.sh

step "Checking formatting"
bash scripts/check-format.sh

step "Building (warnings are errors)"
cmake -S . -B build-ci -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARENTA_WERROR=ON -DVARENTA_BUILD_BENCHMARKS=ON
cmake --build build-ci -j "$jobs"

step "Running the tests"
ctest --test-dir build-ci --output-on-failure -j "$jobs"

step "Smoke start of varenta (offscreen)"
QT_QPA_PLATFORM=offscreen timeout 60 ./build-ci/bin/varenta --close-after-start
echo "varenta started and closed cleanly"

step "Building the Debian package (Release) and checking it"
VARENTA_SKIP_DEPS=1 bash scripts/package.sh
bash scripts/check-package.sh build-release/varenta_*.deb build-ci/tests/support/varenta_fakegloapi

step "Building under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARENTA_WERROR=ON -DVARENTA_SANITIZE=ON \
    -DVARENTA_BUILD_BENCHMARKS=OFF
cmake --build build-asan -j "$jobs"

step "Running the tests under the sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
QT_QPA_PLATFORM=offscreen timeout 60 ./build-asan/bin/varenta --close-after-start
