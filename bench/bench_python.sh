#!/bin/sh
# Benchmark of the Python interface (-Y) on the 2,058-operator corpus: the
# flat layout (operator_set.py and errors.py) and the class layout (-z, one
# module per class type, global.py and errors.py), both as library builds.
# For each it reports the best wall time, the best CPU time and the largest
# peak memory of the whole vornc process over a few runs, beside a baseline
# that merely reads the same definition files and writes the same number of
# output bytes. On the 2-core development machine (release build) the flat
# layout took 0.15 s wall and 45 MiB peak memory for 2 files (3.7 MB), the
# class layout 0.19 s and 45 MiB for 11 files (4.1 MB); the parse alone
# (-m) takes about 0.11 s and 31 MiB of that.
#
#   bench/bench_python.sh [path/to/vornc] [runs]
set -e
here="$(cd "$(dirname "$0")" && pwd)"
vornc="${1:-$here/../build/vornc}"
runs="${2:-5}"
if [ ! -x "$vornc" ]; then
  echo "vornc not found at $vornc (build it first or pass its path)" >&2
  exit 1
fi
vornc="$(cd "$(dirname "$vornc")" && pwd)/$(basename "$vornc")"
work="$(mktemp -d "${TMPDIR:-/tmp}/vornc-bench-python-XXXXXX")"
trap 'rm -rf "$work"' EXIT

python3 "$here/make_corpus.py" "$work/corpus" 2058 > /dev/null
# The Python interface refuses output parameters that may be single or a
# sequence ("No output param should be MaybeSequence"); the generated corpus
# declares some outputs "multivalue: optional", which become "true" here.
for def in "$work/corpus"/*.def; do
  awk '/^parameter/ { output = ($0 ~ /output_control/) }
       output && /multivalue: optional;/ { sub(/optional/, "true") }
       { print }' "$def" > "$def.tmp"
  mv "$def.tmp" "$def"
done
defs="$(ls "$work/corpus"/*.def)"
count="$(cat $defs | grep -c -- '<-' || true)"
# An error-definition file with a few hundred codes.
errors="$work/errors.h"
i=1000
while [ "$i" -lt 1400 ]; do
  printf '#define V_ERR_CODE%d %d /* Error number %d:\n   explained over two lines */\n' \
    "$i" "$i" "$i" >> "$errors"
  i=$((i + 1))
done

. "$here/measure.sh"


printf '%s definition files, %s declarations; %s runs each\n' \
  "$(echo "$defs" | wc -l)" "$count" "$runs"
row() { # label, measure result, bytes, files
  set -- "$1" $2 "$3" "$4"
  printf '%-26s %9s %9s %11s %11s %6s\n' "$1" "$2" "$3" "$(mib "$4")" "$5" "$6"
}
printf '%-26s %9s %9s %11s %11s %6s\n' form "wall (s)" "CPU (s)" "peak (MiB)" "output (B)" files
for form in flat classes; do
  out="$work/$form"
  mkdir -p "$out"
  cd "$out"
  if [ "$form" = flat ]; then
    label="-Y -s"
    result="$(measure "$vornc" -W -Y -s -error-def-path "$errors" $defs)"
  else
    label="-Y -z -s"
    result="$(measure "$vornc" -W -Y -z -s -error-def-path "$errors" $defs)"
  fi
  bytes="$(cat "$out"/* | wc -c)"
  files="$(ls "$out" | wc -l)"
  row "$label" "$result" "$bytes" "$files"
  # baseline: read the inputs, write as many bytes
  baseline="$(measure sh -c "cat $(echo $defs) > /dev/null && head -c $bytes /dev/zero > '$out/copy'")"
  rm -f "$out/copy"
  row "  read+write baseline" "$baseline" "$bytes" 1
done
