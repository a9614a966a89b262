#!/bin/sh
# Installs vornc from its build tree into a scratch prefix and builds a
# downstream project with find_package(vornc) and vornc_generate() under
# Ninja: the first build generates and compiles everything, a second does
# nothing, touching the definition file recompiles nothing, and changing one
# operator's description re-runs vornc but recompiles only what includes a
# file whose text changed (no C file of the table or the C interface).
# Usage: cmake_package_test.sh <vornc-build-dir> <tests-dir>
set -eu
build=$1
tests=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vornc-package-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
test -x "$scratch/prefix/bin/vornc" || fail "no bin/vornc installed"
test -f "$scratch/prefix/share/man/man1/vornc.1" || fail "no manual page installed"

cp -r "$tests/buildstep/project" "$scratch/src"
cp "$tests/../examples/vxdemo/vxdemo.def" "$scratch/src/"
cmake -S "$scratch/src" -B "$scratch/b" -G Ninja -DCMAKE_PREFIX_PATH="$scratch/prefix" \
  -DSTAND_INS="$tests/stand-ins" >"$scratch/configure.log" || { cat "$scratch/configure.log"; fail "configure"; }

step() { ninja -C "$scratch/b" >"$scratch/$1.log" 2>&1 || { cat "$scratch/$1.log"; fail "$1"; }; }
compiled() { grep -o 'Building C[X]* object [^ ]*' "$scratch/$1.log" | sed 's/.*object //' | sort | tr '\n' ' '; }

step first
[ "$(compiled first)" = "CMakeFiles/vxdemo_c.dir/c/VCvxdemo.c.o CMakeFiles/vxdemo_cpp.dir/cpp/VCPPvxdemo.cpp.o CMakeFiles/vxdemo_table.dir/table/Vvxdemo.c.o " ] \
  || fail "first build compiled: $(compiled first)"

step noop
grep -q 'no work to do' "$scratch/noop.log" || { cat "$scratch/noop.log"; fail "a no-op build did work"; }

touch "$scratch/src/vxdemo.def"
step touched
grep -q 'vornc -H' "$scratch/touched.log" || fail "touching the definition file did not re-run vornc"
[ -z "$(compiled touched)" ] || fail "touching the definition file recompiled: $(compiled touched)"
step after_touch
grep -q 'no work to do' "$scratch/after_touch.log" || { cat "$scratch/after_touch.log"; fail "work after the touched build"; }

sed -i 's/Segment an image with a locally adaptive threshold/Segment an image by a local threshold/' \
  "$scratch/src/vxdemo.def"
step described
grep -q 'vornc -P' "$scratch/described.log" || fail "a new description did not re-run vornc"
# only the C++ header carries the descriptions; no C file was recompiled
[ "$(compiled described)" = "CMakeFiles/vxdemo_cpp.dir/cpp/VCPPvxdemo.cpp.o " ] \
  || fail "a new description recompiled: $(compiled described)"
step after_description
grep -q 'no work to do' "$scratch/after_description.log" || fail "work after the described build"
echo "package test passed"
