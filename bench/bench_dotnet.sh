#!/bin/sh
# Benchmark of the .NET interface (-N) on the 2,058-operator corpus: the
# library build (-s: VProcIDs.cs, VErrorDef.cs and one C# file per class of
# the handle-type table) and an extension package (one class holding every
# operator). For each form it reports the best wall time, the best CPU time
# and the largest peak memory of the whole vornc process over a few runs,
# beside a baseline that merely reads the same definition files and writes
# the same number of output bytes. On the 2-core development machine (release
# build) the library build took 0.22 s wall and 49 MiB peak memory for 104
# files (7.4 MB), the package 0.15 s and 43 MiB for one file (3.4 MB); the
# parse alone (-m) takes about 0.11 s and 31 MiB of that.
#
#   bench/bench_dotnet.sh [path/to/vornc] [runs]
set -e
here="$(cd "$(dirname "$0")" && pwd)"
vornc="${1:-$here/../build/vornc}"
runs="${2:-5}"
if [ ! -x "$vornc" ]; then
  echo "vornc not found at $vornc (build it first or pass its path)" >&2
  exit 1
fi
vornc="$(cd "$(dirname "$vornc")" && pwd)/$(basename "$vornc")"
work="$(mktemp -d "${TMPDIR:-/tmp}/vornc-bench-dotnet-XXXXXX")"
trap 'rm -rf "$work"' EXIT

python3 "$here/make_corpus.py" "$work/corpus" > /dev/null
defs="$(ls "$work/corpus"/*.def)"
count="$(cat $defs | grep -c -- '<-' || true)"
# The library build's side files: the required class snippets (empty) and
# an error-definition file with a few hundred codes.
root="$work/root"
snippets="$root/source/interfaces/DOTNET/source/snippets"
mkdir -p "$snippets"
for class in VImage VRegion VFunction1D VPose VQuaternion VDualQuaternion VMatrix \
             VSerializedItem VDrawingObject VWindow; do
  : > "$snippets/$class.csop"
done
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
for form in library package; do
  out="$work/$form"
  mkdir -p "$out"
  cd "$out"
  if [ "$form" = library ]; then
    label="-N -s"
    result="$(measure "$vornc" -W -N -s -r"$root" -error-def-path "$errors" $defs)"
  else
    label="-N -u -pbench"
    result="$(measure "$vornc" -W -N -u -pbench $defs)"
  fi
  bytes="$(cat "$out"/* | wc -c)"
  files="$(ls "$out" | wc -l)"
  row "$label" "$result" "$bytes" "$files"
  # baseline: read the inputs, write as many bytes
  baseline="$(measure sh -c "cat $(echo $defs) > /dev/null && head -c $bytes /dev/zero > '$out/copy'")"
  rm -f "$out/copy"
  row "  read+write baseline" "$baseline" "$bytes" 1
done
