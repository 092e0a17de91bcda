#!/usr/bin/env bash
# Installs what is missing, builds, and runs the shipped example project through the engine.
# Usage: scripts/run-example.sh [PROJECT]   (default: examples/english/PipeSandClay.qr7d)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARN_BUILD_BENCH=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target quarn-run QUARN2015_DLL >/dev/null
project=${1:-examples/english/PipeSandClay.qr7d}
work=$(mktemp -d)
cp "$project" "$work/"
base=$(basename "$project" .qr7d)
[ -f "$(dirname "$project")/$base.cpt" ] && cp "$(dirname "$project")/$base.cpt" "$work/"
build/release/bin/quarn-run "$work/$(basename "$project")"
