#!/usr/bin/env bash
# Starts two quarn-run on one project at the same moment, many times, as two program windows
# or two users would, and checks that they never meet: each run either goes to its end or is
# refused with the locked-project message before it writes anything, no engine reads a
# half-written project, and the project file is whole after every round.
#
#   scripts/two-runs.sh [ROUNDS]           (default 200)
#   QUARN_BUILD=build/ci                   build folder holding bin/quarn-run
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-200}
build=${QUARN_BUILD:-build/ci}
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
tool="$build/bin/quarn-run"
[ -x "$tool" ] || { echo "no $tool: build first" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quarn-two-runs-XXXXXX")
trap 'rm -rf "$work"' EXIT
project="$work/Pile.qr7d"
# A long title makes each save long enough for the two runs to overlap.
title=$(head -c 300000 /dev/zero | tr '\0' 'T')
{ printf '%s\r\n' "$title"; tail -n +2 examples/english/PipeSandClay.qr7d; } >"$project"
cp examples/english/PipeSandClay.cpt "$work/Pile.cpt"
cp "$project" "$work/reference.qr7d"

both=0 one_refused=0 failures=0
for ((round = 1; round <= rounds; round++)); do
  "$tool" "$project" >"$work/out1" 2>"$work/err1" &
  first=$!
  "$tool" "$project" >"$work/out2" 2>"$work/err2" &
  second=$!
  codes=()
  for pid in "$first" "$second"; do
    set +e; wait "$pid"; codes+=($?); set -e
  done
  refused=0 bad=0
  for k in 1 2; do
    code=${codes[$((k - 1))]}
    if [ "$code" -eq 0 ] && grep -q '^status: 0 ' "$work/out$k"; then
      :
    elif [ "$code" -eq 2 ] && grep -q 'is being saved or run by' "$work/err$k"; then
      refused=$((refused + 1))
    else
      bad=1
    fi
    if grep -qE 'THE FILE ENDS BEFORE|No such file or directory|Error on Line' "$work/out$k" "$work/err$k"; then
      bad=1
    fi
  done
  cmp -s "$project" "$work/reference.qr7d" || bad=1
  if [ "$bad" -ne 0 ]; then
    failures=$((failures + 1))
    echo "round $round: exit ${codes[*]}" >&2
    cat "$work/err1" "$work/err2" >&2
  elif [ "$refused" -eq 0 ]; then
    both=$((both + 1))
  else
    one_refused=$((one_refused + 1))
  fi
done
echo "$rounds rounds of two runs at once: both ran (one after the other) $both," \
  "one refused as locked $one_refused, failures $failures"
[ "$failures" -eq 0 ]
