#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. The suite runs in the sanitizer build
# (AddressSanitizer + UBSan, warnings as errors, benchmarks compiled too), then each fuzz target
# runs for a short while. The plain development build (`cmake --preset dev`) runs the same tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen
# Paths below the checkout are hashed relative to it, so another clone reuses the compiled objects.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

echo "== sanitizer build (ASan + UBSan)"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

if [ -f fuzz/CMakeLists.txt ]; then
    echo "== fuzz targets (short runs)"
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz --target fuzzers
    scripts/run-fuzzers.sh build/fuzz/fuzz
fi
echo "All test stages passed."
