#!/bin/sh
# Benchmark of the reference manual as XML (-Rxml) on the 2,058-operator
# corpus that bench/make_corpus.py writes: as an extension package, in the
# library build (-s, which also builds every class of the handle-type table
# for the class files), in German (-lde_DE), and, to show that the time
# grows linearly with the operator count, on the corpus given twice. For
# each form it reports the best wall time, the best CPU time and the largest
# peak memory of the whole vornc process over a few runs, the number of
# files written and their bytes.
#
#   bench/bench_manual.sh [path/to/vornc] [runs]
#
# CORPUS_DIR=<folder of .def files> uses that folder instead.
#
# Measured on the 2-core development machine (best of 3, wall / CPU):
# -Rxml 0.63 s / 0.56 s, 50 MiB, 2,061 files, 36 MB; -Rxml -s 0.94 s /
# 0.58 s, 66 MiB (three class lists of every class); -Rxml -lde_DE 0.51 s;
# the corpus given twice 1.15 s / 1.14 s: the time grows linearly. Reading
# the corpus alone takes 0.09 s.
set -e
here="$(cd "$(dirname "$0")" && pwd)"
vornc="${1:-$here/../build/vornc}"
runs="${2:-5}"
if [ ! -x "$vornc" ]; then
  echo "vornc not found at $vornc (build it first or pass its path)" >&2
  exit 1
fi
vornc="$(cd "$(dirname "$vornc")" && pwd)/$(basename "$vornc")"
work="$(mktemp -d "${TMPDIR:-/tmp}/vornc-bench-manual-XXXXXX")"
trap 'rm -rf "$work"' EXIT

if [ -n "$CORPUS_DIR" ]; then
  corpus="$(cd "$CORPUS_DIR" && pwd)"
else
  corpus="$work/corpus"
  # Ten files: the library build's COM class list (which the manual builds
  # for its class files) stops at a handle class without destructor from
  # eleven definition files on, and only warns below that (silenced by -W).
  python3 "$here/make_corpus.py" "$corpus" 2058 10 > /dev/null
fi
defs="$(ls "$corpus"/*.def)"
count="$(cat $defs | grep -c -- '<-' || true)"

. "$here/measure.sh"

row() { # label, measure result, files, bytes
  set -- "$1" $2 "$3" "$4"
  printf '%-26s %9s %9s %11s %7s %11s\n' "$1" "$2" "$3" "$(mib "$4")" "$5" "$6"
}

printf '%s definition files, %s declarations; %s runs each\n' \
  "$(echo "$defs" | wc -l)" "$count" "$runs"
printf '%-26s %9s %9s %11s %7s %11s\n' form "wall (s)" "CPU (s)" "peak (MiB)" files "output (B)"
n=0
for form in "-Rxml" "-Rxml -s" "-Rxml -lde_DE" "-Rxml twice" "-Rhtml -s" "-Rlatex:cpp -s"; do
  n=$((n + 1))
  out="$work/run-$n"
  mkdir -p "$out"
  cd "$out"
  inputs="$defs"
  options="$form"
  if [ "$form" = "-Rxml twice" ]; then inputs="$defs $defs"; options="-Rxml"; fi
  result="$(measure "$vornc" -W $options $inputs)"
  files="$(ls "$out" | wc -l)"
  bytes="$(cat "$out"/* | wc -c)"
  label="$form"
  if [ "$form" = "-Rxml twice" ]; then label="-Rxml, corpus twice"; fi
  row "$label" "$result" "$files" "$bytes"
done
# what reading the corpus alone costs (-m lists the modules and writes no file)
cd "$work"
row "-m (parse only)" "$(measure "$vornc" -W -m $defs)" 0 0
