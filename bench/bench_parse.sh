#!/bin/sh
# Benchmark of reading the definition files: the module list (-m) over
# generated corpora of 200, 2,058 and 20,580 operators (20 files each). For
# each size it reports the corpus size, the best wall time, the best CPU
# time (user + system) and the largest peak memory over a few runs, and the
# growth factor against the 2,058-operator corpus, so that the growth with
# size is visible. Targets: 2,058 operators in at most 0.1 s wall and 64 MiB;
# ten times the operators in at most eleven times the time.
#
#   bench/bench_parse.sh [path/to/vornc] [runs]
set -e
here="$(cd "$(dirname "$0")" && pwd)"
vornc="${1:-$here/../build/vornc}"
runs="${2:-5}"
if [ ! -x "$vornc" ]; then
  echo "vornc not found at $vornc (build it first or pass its path)" >&2
  exit 1
fi
if [ ! -x /usr/bin/time ]; then
  echo "/usr/bin/time is missing (Debian package 'time')" >&2
  exit 1
fi
vornc="$(cd "$(dirname "$vornc")" && pwd)/$(basename "$vornc")"
work="$(mktemp -d "${TMPDIR:-/tmp}/vornc-bench-parse-XXXXXX")"
trap 'rm -rf "$work"' EXIT

# best wall time, best CPU time and largest peak memory (KiB) of -m over the
# corpus in $1, as "wall cpu memory"
measure() {
  best=""
  best_cpu=""
  peak=0
  i=0
  while [ "$i" -lt "$runs" ]; do
    if ! /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$vornc" -m -W "$1"/*.def \
        > /dev/null 2> "$work/stderr"; then
      echo "failed: vornc -m on $1" >&2
      cat "$work/stderr" >&2
      exit 1
    fi
    read -r wall user system memory < "$work/time"
    cpu="$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.2f", u + s }')"
    best="$(awk -v a="$wall" -v b="$best" 'BEGIN { print (b == "" || a < b) ? a : b }')"
    best_cpu="$(awk -v a="$cpu" -v b="$best_cpu" 'BEGIN { print (b == "" || a < b) ? a : b }')"
    [ "$memory" -gt "$peak" ] && peak="$memory"
    i=$((i + 1))
  done
  echo "$best $best_cpu $peak"
}

printf "%10s %10s %9s %9s %11s %8s\n" operators bytes "wall s" "cpu s" "peak MiB" growth
base_cpu=""
for count in 200 2058 20580; do
  bytes="$(python3 "$here/make_corpus.py" "$work/c$count" "$count")"
  set -- $(measure "$work/c$count")
  wall="$1"; cpu="$2"; memory="$3"
  [ "$count" = 2058 ] && base_cpu="$cpu"
  growth=""
  if [ "$count" = 20580 ] && [ -n "$base_cpu" ]; then
    growth="$(awk -v a="$cpu" -v b="$base_cpu" 'BEGIN { if (b > 0) printf "x%.1f", a / b }')"
  fi
  printf "%10s %10s %9s %9s %11s %8s\n" "$count" "$bytes" "$wall" "$cpu" \
    "$(awk -v m="$memory" 'BEGIN { printf "%.1f", m / 1024 }')" "$growth"
  rm -rf "$work/c$count"
done
