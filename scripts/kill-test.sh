#!/usr/bin/env bash
# Kills quarn-run with SIGKILL at random moments of its run, many times, and checks after each
# kill that the project and its CPT side file were never damaged:
#   - each file is whole: byte for byte either the version before the run or the one its save
#     writes (the project is prepared so that its save changes both files);
#   - a project file of one save beside a CPT side file of the other stands only with the
#     marker of a save cut between its renames, and the next open says so;
#   - the next start removes what the killed run left (temporary files, run folder, lock),
#     and a final run leaves nothing behind.
#
#   scripts/kill-test.sh [ROUNDS]          (default 300)
#   QUARN_BUILD=build/ci                   build folder holding bin/quarn-run
#   KILL_MAX_MS=...                        kills fall in 0..KILL_MAX_MS ms (default: 1.2 times
#                                          a whole run, measured first)
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-300}
build=${QUARN_BUILD:-build/ci}
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
tool="$build/bin/quarn-run"
[ -x "$tool" ] || { echo "no $tool: build first" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quarn-kill-test-XXXXXX")
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp" # the run folders, where the test can see them
mkdir -p "$TMPDIR" "$work/p" "$work/ref"

# Version A, as the files lie before each run: print interval 0 and CPT values with two
# digits. The save writes version B: print interval 1, CPT values with three.
project="$work/p/Pile.qr7d"
cpt="$work/p/Pile.cpt"
title=$(head -c 200000 /dev/zero | tr '\0' 'T') # a long title makes the save take a while
{ printf '%s\r\n' "$title"; tail -n +2 examples/english/PipeSandClay.qr7d; } |
  sed 's/^1 5 8 0 \r$/1 0 8 0 \r/' >"$work/ref/A.qr7d"
sed -E 's/([0-9])\.([0-9])0E/\1.\2E/g' examples/english/PipeSandClay.cpt >"$work/ref/A.cpt"
cmp -s "$work/ref/A.qr7d" <(sed 's/^1 0 8 0 \r$/1 5 8 0 \r/' "$work/ref/A.qr7d") &&
  { echo "version A does not differ from the example" >&2; exit 2; }

restore() {
  cp "$work/ref/A.qr7d" "$project"
  cp "$work/ref/A.cpt" "$cpt"
  rm -f "$work/p/Pile.qr7d.unfinished~"
}

# Version B and the time of a whole run.
restore
start=$(date +%s%N)
"$tool" "$project" >"$work/first.txt" 2>&1 || { cat "$work/first.txt"; exit 2; }
whole_ms=$(( ($(date +%s%N) - start) / 1000000 ))
cp "$project" "$work/ref/B.qr7d"
cp "$cpt" "$work/ref/B.cpt"
cmp -s "$work/ref/A.qr7d" "$work/ref/B.qr7d" && { echo "the save did not change the project" >&2; exit 2; }
cmp -s "$work/ref/A.cpt" "$work/ref/B.cpt" && { echo "the save did not change the CPT file" >&2; exit 2; }
max_ms=${KILL_MAX_MS:-$(( whole_ms * 12 / 10 + 1 ))}
echo "a whole run takes ${whole_ms} ms; kills fall in 0..${max_ms} ms; ${rounds} rounds"

which_version() { # file reference-stem -> A, B or damaged
  if cmp -s "$1" "$work/ref/A.$2"; then echo A
  elif cmp -s "$1" "$work/ref/B.$2"; then echo B
  else echo damaged; fi
}

declare -A seen=()
damaged=0 mixed_unmarked=0 mixed_marked=0 note_missing=0 left_over=0 finished=0
for ((round = 1; round <= rounds; round++)); do
  restore
  delay_us=$(( (RANDOM * 32768 + RANDOM) % (max_ms * 1000 + 1) ))
  "$tool" "$project" >"$work/out.txt" 2>&1 &
  pid=$!
  sleep "$(printf '%d.%06d' $((delay_us / 1000000)) $((delay_us % 1000000)))"
  if kill -KILL "$pid" 2>/dev/null; then :; else finished=$((finished + 1)); fi
  wait "$pid" 2>/dev/null || true

  p=$(which_version "$project" qr7d)
  c=$(which_version "$cpt" cpt)
  marker=no
  [ -e "$work/p/Pile.qr7d.unfinished~" ] && marker=yes
  temps=$(find "$work/p" -name '*.saving~*' | wc -l)
  runs=$(find "$TMPDIR" -maxdepth 1 -name 'quarn-run-*' | wc -l)
  lock=no
  [ -e "$project.lock" ] && lock=yes
  state="project $p, CPT $c, marker $marker"
  seen["$state"]=$(( ${seen["$state"]:-0} + 1 ))
  [ $((temps + runs)) -gt 0 ] || [ "$lock" = yes ] && seen["left: temporary files, run folder or lock"]=$(( ${seen["left: temporary files, run folder or lock"]:-0} + 1 ))

  if [ "$p" = damaged ] || [ "$c" = damaged ]; then
    damaged=$((damaged + 1))
    echo "round $round (${delay_us} us): $state" >&2
    cp "$project" "$work/damaged-$round.qr7d"; cp "$cpt" "$work/damaged-$round.cpt"
  elif [ "$p" != "$c" ]; then
    if [ "$marker" = yes ]; then
      mixed_marked=$((mixed_marked + 1))
      # The next open names the cut save (and its save mends the pair).
      "$tool" "$project" >"$work/open.txt" 2>&1 || true
      grep -q "did not finish" "$work/open.txt" || note_missing=$((note_missing + 1))
    else
      mixed_unmarked=$((mixed_unmarked + 1))
      echo "round $round (${delay_us} us): $state" >&2
    fi
  fi
done

# A last run removes what the killed ones left and leaves nothing itself.
restore
"$tool" "$project" >"$work/last.txt" 2>&1 || { cat "$work/last.txt"; exit 1; }
left_over=$(( $(find "$work/p" -name '*.saving~*' -o -name '*.lock' -o -name '*.unfinished~' | wc -l)
              + $(find "$TMPDIR" -mindepth 1 -maxdepth 1 | wc -l) ))

echo "outcomes after a kill:"
for state in "${!seen[@]}"; do printf '  %5d  %s\n' "${seen[$state]}" "$state"; done | sort -k2
echo "runs that ended before their kill: $finished"
echo "damaged files: $damaged; mixed pairs without the marker: $mixed_unmarked;" \
  "mixed pairs with the marker: $mixed_marked (open without its note: $note_missing);" \
  "left after the last run: $left_over"
[ $((damaged + mixed_unmarked + note_missing + left_over)) -eq 0 ]
