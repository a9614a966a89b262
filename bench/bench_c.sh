#!/bin/sh
# Benchmark of the C interface (-C) on the 2,058-operator corpus, in the
# library build (-s) and as an extension package. For each form it reports
# the best wall time and the peak memory of the whole vornc process over a
# few runs, beside a baseline that merely reads the same definition files
# and writes the same number of output bytes. To show that the time grows
# linearly with the operator count, each form also runs on the corpus given
# twice. Targets: at most 0.1 s wall and 64 MiB peak memory per run on the
# corpus.
#
#   bench/bench_c.sh [path/to/vornc] [runs]
#
# CORPUS_DIR=<folder of .def files> uses that folder instead of the corpus
# that bench/make_corpus.py writes.
set -e
here="$(cd "$(dirname "$0")" && pwd)"
vornc="${1:-$here/../build/vornc}"
runs="${2:-5}"
if [ ! -x "$vornc" ]; then
  echo "vornc not found at $vornc (build it first or pass its path)" >&2
  exit 1
fi
vornc="$(cd "$(dirname "$vornc")" && pwd)/$(basename "$vornc")"
work="$(mktemp -d "${TMPDIR:-/tmp}/vornc-bench-c-XXXXXX")"
trap 'rm -rf "$work"' EXIT

if [ -n "$CORPUS_DIR" ]; then
  corpus="$(cd "$CORPUS_DIR" && pwd)"
else
  corpus="$work/corpus"
  python3 "$here/make_corpus.py" "$corpus" > /dev/null
fi
defs="$(ls "$corpus"/*.def)"
count="$(cat $defs | grep -c -- '<-' || true)"

. "$here/measure.sh"


printf '%s definition files, %s declarations; %s runs each\n' \
  "$(echo "$defs" | wc -l)" "$count" "$runs"
row() { # label, measure result, bytes
  set -- "$1" $2 "$3"
  printf '%-26s %9s %9s %11s %11s\n' "$1" "$2" "$3" "$(mib "$4")" "$5"
}
printf '%-26s %9s %9s %11s %11s\n' form "wall (s)" "CPU (s)" "peak (MiB)" "output (B)"
for form in library package; do
  if [ "$form" = library ]; then options="-s"; else options="-u -pbench"; fi
  for copies in 1 2; do
    out="$work/$form-$copies"
    mkdir -p "$out"
    cd "$out"
    inputs="$defs"
    if [ "$copies" = 2 ]; then inputs="$defs $defs"; fi
    result="$(measure "$vornc" -W -C $options $inputs)"
    bytes="$(cat "$out"/* | wc -c)"
    label="-C $options"
    if [ "$copies" = 2 ]; then label="  corpus twice"; fi
    row "$label" "$result" "$bytes"
    # baseline: read the inputs, write as many bytes
    baseline="$(measure sh -c "cat $(echo $inputs) > /dev/null && head -c $bytes /dev/zero > '$out/copy'")"
    rm -f "$out/copy"
    row "  read+write baseline" "$baseline" "$bytes"
  done
done
echo "targets: 0.1 s wall, 64 MiB peak memory on the corpus; the corpus given"
echo "twice should take about twice the time and output"
