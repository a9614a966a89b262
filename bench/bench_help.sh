#!/bin/sh
# Benchmark of the help files (-M) on the 2,058-operator corpus that
# bench/make_corpus.py writes: English and German (-lde_DE), as an extension
# package and in the library build (-s, which adds the documentation
# checks; their warnings are silenced with -W). For each form it reports the
# best wall time, the best CPU time and the largest peak memory of the whole
# vornc process over a few runs, and the bytes of the five files. To show
# that the time grows linearly with the operator count, the English form
# also runs on the corpus given twice.
#
#   bench/bench_help.sh [path/to/vornc] [runs]
#
# CORPUS_DIR=<folder of .def files> uses that folder instead.
set -e
here="$(cd "$(dirname "$0")" && pwd)"
vornc="${1:-$here/../build/vornc}"
runs="${2:-5}"
if [ ! -x "$vornc" ]; then
  echo "vornc not found at $vornc (build it first or pass its path)" >&2
  exit 1
fi
vornc="$(cd "$(dirname "$vornc")" && pwd)/$(basename "$vornc")"
work="$(mktemp -d "${TMPDIR:-/tmp}/vornc-bench-help-XXXXXX")"
trap 'rm -rf "$work"' EXIT

if [ -n "$CORPUS_DIR" ]; then
  corpus="$(cd "$CORPUS_DIR" && pwd)"
else
  corpus="$work/corpus"
  python3 "$here/make_corpus.py" "$corpus" 2058 > /dev/null
fi
defs="$(ls "$corpus"/*.def)"
count="$(cat $defs | grep -c -- '<-' || true)"

. "$here/measure.sh"

row() { # label, measure result, bytes
  set -- "$1" $2 "$3"
  printf '%-26s %9s %9s %11s %11s\n' "$1" "$2" "$3" "$(mib "$4")" "$5"
}

printf '%s definition files, %s declarations; %s runs each\n' \
  "$(echo "$defs" | wc -l)" "$count" "$runs"
printf '%-26s %9s %9s %11s %11s\n' form "wall (s)" "CPU (s)" "peak (MiB)" "output (B)"
n=0
for form in "-M" "-M -lde_DE" "-M -s" "-M twice"; do
  n=$((n + 1))
  out="$work/run-$n"
  mkdir -p "$out"
  cd "$out"
  inputs="$defs"
  options="$form"
  if [ "$form" = "-M twice" ]; then inputs="$defs $defs"; options="-M"; fi
  result="$(measure "$vornc" -W $options $inputs)"
  bytes="$(cat "$out"/operators_* | wc -c)"
  label="$form"
  if [ "$form" = "-M twice" ]; then label="-M, corpus twice"; fi
  row "$label" "$result" "$bytes"
done
# what reading the corpus alone costs (-m lists the modules and writes no file)
cd "$work"
row "-m (parse only)" "$(measure "$vornc" -W -m $defs)" 0
