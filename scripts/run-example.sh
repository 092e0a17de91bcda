#!/usr/bin/env bash
# Installs what is missing, builds the program and the headless runner, runs the shipped
# example project through the engine (no display needed), and ends with the command that opens
# the example in the program.
# Usage: scripts/run-example.sh [PROJECT]   (default: examples/english/PipeSandClay.qr7d)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target quarn-run QUARN2015_DLL WINQUARN2015 >/dev/null
project=${1:-examples/english/PipeSandClay.qr7d}
# Run a copy, so the shipped example stays as it is; the results land beside the copy.
work=build/example-run
mkdir -p "$work"
base=$(basename "$project" .qr7d)
cp "$project" "$work/"
if [ -f "$(dirname "$project")/$base.cpt" ]; then
  cp "$(dirname "$project")/$base.cpt" "$work/"
fi
status=0
build/release/bin/quarn-run "$work/$base.qr7d" || status=$?
if [ -f "$work/$base.qr7o" ]; then
  echo
  echo "---- head of the report $work/$base.qr7o ----"
  head -n 60 "$work/$base.qr7o"
fi
echo
echo "To open the example in the program (it needs a display), run from $(pwd):"
printf 'build/release/bin/WINQUARN2015 %q\n' "$work/$base.qr7d"
exit "$status"
