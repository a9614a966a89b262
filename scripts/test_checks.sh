#!/bin/sh
# The checking build: every test under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short run of each fuzz target. One clang
# build in build-checks/ serves both (-DVORNC_FUZZ=ON sanitizes and
# instruments for coverage). The fuzz targets run a fixed number of inputs
# from a fixed seed (VORNC_FUZZ_RUNS, default 200000 each), so that the run
# is the same on every machine; longer, open-ended runs: scripts/fuzz.sh.
set -e
cd "$(dirname "$0")/.."
CC=clang CXX=clang++ cmake -S . -B build-checks -DVORNC_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-checks -j "$(nproc)"
# A definition-file error ends the run at once, by design: what the parser
# discarded on its way to the error is reclaimed with the process, and is no
# leak worth a report. Every other finding of either sanitizer fails.
# The two scale tests (a 24 MB text, an expression 100,000 terms long and
# deep) are sized for the plain build; instrumented they take minutes and
# gigabytes, and the fuzz targets cover the same code with small inputs.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  sh -c 'cd build-checks && ctest --output-on-failure -j "$(nproc)" \
           -E "LineAfterAVeryLongText|LongAndDeepExpressions"'

VORNC_FUZZ_RUNS=${VORNC_FUZZ_RUNS:-200000} ./scripts/fuzz.sh build-checks
