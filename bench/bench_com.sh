#!/bin/sh
# Benchmark of the COM interface (-X) on the 2,058-operator corpus: the
# library build (-s: every class of the COM list with its IDL interface,
# ATL header and source and registry script, the index headers, resource
# and module files and the clean-up list) and an extension package (one
# class holding every operator). The corpus carries no class information,
# so a definition file with the library block and one class definition per
# class of the list is added. For each form it reports the best wall time,
# the best CPU time and the peak memory of the whole vornc process over a
# few runs, beside a baseline that merely reads the same definition files
# and writes the same number of output bytes.
#
#   bench/bench_com.sh [path/to/vornc] [runs]
set -e
here="$(cd "$(dirname "$0")" && pwd)"
vornc="${1:-$here/../build/vornc}"
runs="${2:-5}"
if [ ! -x "$vornc" ]; then
  echo "vornc not found at $vornc (build it first or pass its path)" >&2
  exit 1
fi
vornc="$(cd "$(dirname "$vornc")" && pwd)/$(basename "$vornc")"
work="$(mktemp -d "${TMPDIR:-/tmp}/vornc-bench-com-XXXXXX")"
trap 'rm -rf "$work"' EXIT

# Nine files: with the class definitions a run reads ten, so that handle
# classes whose corpus operators make them without a destructor are warned
# about (and silenced by -W) instead of stopping the library build, which
# it does from eleven definition files on.
python3 "$here/make_corpus.py" "$work/corpus" 2058 9 > /dev/null
defs="$(ls "$work/corpus"/*.def)"
count="$(cat $defs | grep -c -- '<-' || true)"

# Library block and class information: every class of the list for the
# library build, the package class for the package.
{
  printf 'library vornix <- system_library\n'
  printf 'short.english: Benchmark library;\n'
  printf 'libid {4a1c0d2e-6b3f-4c8a-9e21-7f5d3b2a1c90};\n'
  printf 'version_major: 23;\nversion_minor: 5;\n\n'
  python3 "$here/../tests/golden/com/tools/com_classes.py" defs
} > "$work/library_classes.def"
{
  printf 'library bench <- user_library\n'
  printf 'libid {5d0c4a2e-7b1f-4e3a-9c85-2f6a1b3d4e01};\n\n'
  printf 'class Bench <- user\n'
  printf 'short.english: Operators of the benchmark package.;\n'
  printf 'iid {6e1d5b3f-8c2a-4f4b-8d96-3a7b2c4e5f12};\n'
  printf 'clsid {7f2e6c40-9d3b-4a5c-9ea7-4b8c3d5f6023};\n'
} > "$work/package_classes.def"

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
    options="-s -Uclean_reg_vornixx.h"
  else
    options="-u -pbench"
  fi
  result="$(measure "$vornc" -W -X $options "$work/${form}_classes.def" $defs)"
  bytes="$(cat "$out"/* | wc -c)"
  files="$(ls "$out" | wc -l)"
  row "-X ${options%% -U*}" "$result" "$bytes" "$files"
  # baseline: read the inputs, write as many bytes
  baseline="$(measure sh -c "cat $(echo $defs) > /dev/null && head -c $bytes /dev/zero > '$out/copy'")"
  rm -f "$out/copy"
  row "  read+write baseline" "$baseline" "$bytes" 1
done
