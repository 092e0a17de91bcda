#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: first the normal build
# (warnings are errors), then the GUI-free tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARN_WERROR=ON
cmake --build build/ci -j "$jobs"
(cd build/ci && ctest --output-on-failure -j "$jobs")

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARN_SANITIZE=ON \
  -DQUARN_BUILD_GUI=OFF -DQUARN_BUILD_BENCH=OFF -DQUARN_WERROR=ON
cmake --build build/asan -j "$jobs"
(cd build/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")
