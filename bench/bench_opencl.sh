#!/bin/sh
# Benchmark of the kernel data header (-K): a few hundred generated kernels
# in a few dozen kernel sources of realistic size. Reports how the CPU time
# splits between the external C preprocessor and vornc itself, and compares
# vornc's own time with plain zlib compression (level 8) of the same
# preprocessed bytes, measured in the same run. Budget: vornc's own time
# within 2x of zlib's.
#
#   bench/bench_opencl.sh [path/to/vornc] [runs]
set -e
here="$(cd "$(dirname "$0")" && pwd)"
vornc="${1:-$here/../build/vornc}"
runs="${2:-5}"
if [ ! -x "$vornc" ]; then
  echo "vornc not found at $vornc (build it first or pass its path)" >&2
  exit 1
fi
work="$(mktemp -d "${TMPDIR:-/tmp}/vornc-bench-opencl-XXXXXX")"
trap 'rm -rf "$work"' EXIT
python3 "$here/opencl_bench.py" "$(cd "$(dirname "$vornc")" && pwd)/$(basename "$vornc")" \
  "$work" "$runs"
