#!/bin/sh
# Benchmark of the C++ interface (-P) on the 2,058-operator corpus: the
# library build (-s, every class of the handle-type table, the legacy
# operator set and the fixed-name headers) and an extension package (one
# class holding every operator). For each form it reports the best wall time
# and the peak memory of the whole vornc process over a few runs, beside a
# baseline that merely reads the same definition files and writes the same
# number of output bytes. Targets for the library build: at most 0.15 s wall
# and 96 MiB peak memory per run.
#
#   bench/bench_cpp.sh [path/to/vornc] [runs]
set -e
here="$(cd "$(dirname "$0")" && pwd)"
vornc="${1:-$here/../build/vornc}"
runs="${2:-5}"
if [ ! -x "$vornc" ]; then
  echo "vornc not found at $vornc (build it first or pass its path)" >&2
  exit 1
fi
vornc="$(cd "$(dirname "$vornc")" && pwd)/$(basename "$vornc")"
work="$(mktemp -d "${TMPDIR:-/tmp}/vornc-bench-cpp-XXXXXX")"
trap 'rm -rf "$work"' EXIT

python3 "$here/make_corpus.py" "$work/corpus" > /dev/null
defs="$(ls "$work/corpus"/*.def)"
count="$(cat $defs | grep -c -- '<-' || true)"
# The snippets of the library build: the required ones, empty.
root="$work/root"
mkdir -p "$root/source/interfaces/CPP/include/snippets" "$root/source/interfaces/CPP/source/snippets"
for name in VTuple1 VTuple2 VIOStream_head VIOStream_foot VCppForwards_manual; do
  : > "$root/source/interfaces/CPP/include/snippets/$name.hop"
done
for class in VImage VRegion VFunction1D VPose VQuaternion VDualQuaternion VMatrix \
             VSerializedItem VDrawingObject VWindow; do
  : > "$root/source/interfaces/CPP/include/snippets/$class.hop"
  : > "$root/source/interfaces/CPP/source/snippets/$class.cppop"
done

. "$here/measure.sh"


printf '%s definition files, %s declarations; %s runs each\n' \
  "$(echo "$defs" | wc -l)" "$count" "$runs"
row() { # label, measure result, bytes, files
  set -- "$1" $2 "$3" "$4"
  printf '%-26s %9s %9s %11s %11s %6s\n' "$1" "$2" "$3" "$(mib "$4")" "$5" "$6"
}
printf '%-26s %9s %9s %11s %11s %6s\n' form "wall (s)" "CPU (s)" "peak (MiB)" "output (B)" files
for form in library package; do
  out="$work/$form"
  mkdir -p "$out"
  cd "$out"
  if [ "$form" = library ]; then options="-s -r$root"; else options="-u -pbench"; fi
  result="$(measure "$vornc" -W -P $options $defs)"
  bytes="$(cat "$out"/* | wc -c)"
  files="$(ls "$out" | wc -l)"
  row "-P ${options%% -r*}" "$result" "$bytes" "$files"
  # baseline: read the inputs, write as many bytes
  baseline="$(measure sh -c "cat $(echo $defs) > /dev/null && head -c $bytes /dev/zero > '$out/copy'")"
  rm -f "$out/copy"
  row "  read+write baseline" "$baseline" "$bytes" 1
done
echo "targets (library build): 0.15 s wall, 96 MiB peak memory"
