#!/usr/bin/env bash
# Runs two builds of quarn-run on copies of the same projects and checks that every file they
# write (the project saved again, report, plot data, GRLWEAP file, CPT side file) and what they
# print are byte for byte the same: a change meant to make the runner faster must not change
# a single output byte.
#
#   scripts/same-outputs.sh OLD_BIN NEW_BIN [PROJECT...]
#     OLD_BIN, NEW_BIN  folders holding quarn-run and QUARN2015_DLL.so
#     PROJECT           projects to run (default: bench/data, examples and tests/data)
#
# Both runs of a project take place in one folder of one name, so paths in the files agree;
# the report's date line is the only line allowed to differ, and only in its time.
set -euo pipefail
cd "$(dirname "$0")/.."

[ $# -ge 2 ] || { sed -n 2,12p "$0" >&2; exit 2; }
old=$(cd "$1" && pwd)
new=$(cd "$2" && pwd)
shift 2
for tool in "$old/quarn-run" "$new/quarn-run"; do
  [ -x "$tool" ] || { echo "no $tool" >&2; exit 2; }
done
if [ $# -gt 0 ]; then
  projects=("$@")
else
  mapfile -t projects < <(find bench/data examples tests/data -type f \
    \( -name '*.qr7d' -o -name '*.qr6d' -o -name '*.qrd' \) | sort)
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/quarn-same-outputs-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Copies a project with the files beside it of the same stem (its CPT side file) to $work/run.
stage() {
  local project=$1 dir stem
  rm -rf "$work/run"
  mkdir -p "$work/run"
  dir=$(dirname "$project")
  stem=$(basename "${project%.*}")
  find "$dir" -maxdepth 1 -type f -name "$stem.*" -exec cp -p {} "$work/run/" \;
}

# Runs one build on the staged copy and keeps everything it left in $work/$2.
run() {
  local bin=$1 out=$2 project=$3
  rm -rf "${work:?}/$out"
  set +e
  (cd "$work/run" && "$bin/quarn-run" "$(basename "$project")" >stdout.txt 2>stderr.txt
   echo $? >status.txt)
  set -e
  mv "$work/run" "$work/$out"
}

failures=0 checked=0
for project in "${projects[@]}"; do
  stage "$project"
  run "$old" old "$project"
  stage "$project"
  run "$new" new "$project"
  files=$(cd "$work/old" && find . -type f | sort; cd "$work/new" && find . -type f | sort)
  files=$(sort -u <<<"$files")
  same=1
  while IFS= read -r file; do
    a="$work/old/$file" b="$work/new/$file"
    if [ ! -f "$a" ] || [ ! -f "$b" ]; then
      echo "DIFFER $project: $file written by one build only"
      same=0
    elif ! cmp -s "$a" "$b"; then
      # The report's date line carries the time of the run.
      if [[ "$file" == *.qr7o ]] \
        && cmp -s <(grep -av '^ *Date' "$a") <(grep -av '^ *Date' "$b"); then
        continue
      fi
      echo "DIFFER $project: $file"
      cmp "$a" "$b" 2>&1 | head -1 || true
      same=0
    fi
  done <<<"$files"
  n=$(wc -l <<<"$files")
  checked=$((checked + n))
  if [ $same -eq 1 ]; then
    echo "same   $project ($n files, status $(cat "$work/new/status.txt"))"
  else
    failures=$((failures + 1))
  fi
done
echo "$checked files compared over ${#projects[@]} projects, $failures projects differ"
[ $failures -eq 0 ]
