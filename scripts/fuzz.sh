#!/bin/sh
# Runs every fuzz target of a -DVORNC_FUZZ=ON build for a while:
#   scripts/fuzz.sh <build-dir> [seconds per target] [target...]
# With VORNC_FUZZ_RUNS=N set, each target instead runs N inputs from a fixed
# seed: the same binary then explores the same inputs on every machine, so a
# checking run that passed here passes in CI too.
# Each starts from its committed corpus (fuzz/corpus/<target>, read only);
# new inputs go to a scratch folder. A finding stops the script with status
# 1 and leaves the reproducer in <build-dir>/fuzz-findings/: fix the fault,
# then commit the reproducer to fuzz/corpus/<target>/ as crash-<what>, so
# that its replay test keeps it fixed.
set -e
build=${1:?usage: scripts/fuzz.sh <build-dir> [seconds] [target...]}
seconds=${2:-60}
if [ $# -ge 2 ]; then shift 2; else shift $#; fi
targets=${*:-"def_front_end markup_conversion comment_text kernel_descriptor error_definitions"}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$build" && pwd)
findings="$build/fuzz-findings"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$findings"
if [ -n "$VORNC_FUZZ_RUNS" ]; then
  budget="-seed=1 -runs=$VORNC_FUZZ_RUNS"
  what="$VORNC_FUZZ_RUNS inputs"
else
  # In fork mode each batch of inputs runs in a fresh process: an input
  # that ends in a fatal error abandons what the parser held (fuzz/exit_seam.h),
  # which over hours would add up to the memory limit.
  budget="-max_total_time=$seconds -fork=1"
  what="$seconds s"
fi
for target in $targets; do
  mkdir -p "$scratch/$target"
  echo "fuzz: $target, $what"
  # -close_fd_mask=3: the program's own messages (every rejected input has
  # one) stay out of the log; libFuzzer's report still appears.
  # -detect_leaks=0: an input that ends in a fatal error leaves what the
  # exit would have freed with the process (fuzz/exit_seam.h).
  if ! ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/fuzz_$target" $budget -timeout=20 -rss_limit_mb=2048 \
        -max_len=65536 -close_fd_mask=3 -detect_leaks=0 -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" "$scratch/$target" "$root/fuzz/corpus/$target" \
        >"$scratch/$target.log" 2>&1; then
    cat "$scratch/$target.log"
    echo "fuzz: $target found a fault; reproducer in $findings" >&2
    exit 1
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|^#.*DONE" "$scratch/$target.log" || true
done
