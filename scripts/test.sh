#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: first the normal build
# (warnings are errors), then the GUI-free tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer. The builds are the presets of CMakePresets.json ("ci", "asan").
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

# A file that clang-format would change fails the test command before anything is built.
bash scripts/check-format.sh

jobs=$(nproc)

cmake --preset ci
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
