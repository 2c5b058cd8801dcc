#!/usr/bin/env bash
# Builds the Debian package of Varenta: a Release build installed under /usr, packed by CPack.
# The package lands in build-release/ as varenta_<version>_<arch>.deb. Extra arguments go to the CMake configure
# step (for example -DCMAKE_CXX_COMPILER_LAUNCHER=ccache).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${VARENTA_SKIP_DEPS:-0}" != 1 ]; then
    bash scripts/install-deps.sh
fi
# Debian's build flags, with every hardening feature (bindnow included).
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVARENTA_SYSTEM_PACKAGE=ON -DVARENTA_BUILD_TESTS=OFF -DVARENTA_BUILD_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "$@"
# One build job per core, or VARENTA_JOBS (say 1 on a small or shared machine).
cmake --build build-release -j "${VARENTA_JOBS:-$(nproc)}"
rm -f build-release/varenta_*.deb
(cd build-release && cpack -G DEB)
ls build-release/varenta_*.deb
