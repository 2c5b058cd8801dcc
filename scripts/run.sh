#!/usr/bin/env bash
# Installs what Varenta needs on Debian 12, builds it and starts it on the bundled results file.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARENTA_BUILD_TESTS=OFF -DVARENTA_BUILD_BENCHMARKS=OFF
# One build job per core, or VARENTA_JOBS (say 1 on a small or shared machine).
cmake --build build -j "${VARENTA_JOBS:-$(nproc)}"
exec ./build/bin/varenta "$@"
