# Shared by the benchmark scripts: sourced after $runs and $work are set.

# best wall time (s), best CPU time (user + system, s) and largest peak
# memory (KiB) of a command over the runs
measure() {
  best=""
  best_cpu=""
  peak=0
  i=0
  while [ "$i" -lt "$runs" ]; do
    if ! /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" > /dev/null 2> "$work/stderr"; then
      echo "failed: $*" >&2
      cat "$work/stderr" >&2
      exit 1
    fi
    read -r wall user system memory < "$work/time"
    best="$(awk -v a="$wall" -v b="$best" 'BEGIN { print (b == "" || a < b) ? a : b }')"
    best_cpu="$(awk -v u="$user" -v s="$system" -v b="$best_cpu" \
      'BEGIN { a = u + s; if (b == "" || a < b) printf "%.2f", a; else print b }')"
    if [ "$memory" -gt "$peak" ]; then peak="$memory"; fi
    i=$((i + 1))
  done
  echo "$best $best_cpu $peak"
}

mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
