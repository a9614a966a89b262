#!/bin/sh
# Sets up, builds and runs vornc on the bundled example package
# (examples/vxdemo); the generated files go to out/example/:
#   Vvxdemo.c                 operator table (-H)
#   VCvxdemo.h, VCvxdemo.c    C interface (-C)
#   VCPPvxdemo.h, VCPPvxdemo.cpp  C++ interface (-P)
#   registered.txt            what the package registers when loaded
# The generated C is then handed to the C compiler against the stand-in
# headers of the runtime that the tests carry, and the operator table is
# linked with a recording stand-in of the library's package loader and run.
set -e
cd "$(dirname "$0")/.."
./scripts/setup.sh
root=$(pwd)
vornc="$root/build/vornc"
def="$root/examples/vxdemo/vxdemo.def"
stand_ins="$root/tests/stand-ins/c"
mkdir -p out/example
cd out/example
"$vornc" -m -u -pvxdemo "$def"
"$vornc" -H -u -pvxdemo "$def"
"$vornc" -C -u -pvxdemo "$def"
"$vornc" -P -u -pvxdemo "$def"

flags="-std=c99 -Wall -Werror -I$stand_ins"
gcc $flags -fsyntax-only Vvxdemo.c
gcc $flags -fsyntax-only -include VornixC.h -x c VCvxdemo.h
gcc $flags -fsyntax-only VCvxdemo.c
g++ -std=c++17 -Wall -Werror -fsyntax-only -I. -I"$root/tests/stand-ins/cpp" VCPPvxdemo.cpp

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
sh "$stand_ins/recorder/make_stubs.sh" Vvxdemo.c > "$scratch/stubs.c"
gcc $flags -DGET_OFFSET=VvxdemoGetOffset -o "$scratch/load_vxdemo" \
  Vvxdemo.c "$scratch/stubs.c" "$stand_ins/recorder/registration_recorder.c"
"$scratch/load_vxdemo" > registered.txt
echo "example: out/example/ holds $(ls | tr '\n' ' ')- all compiled;" \
  "$(head -n 1 registered.txt) registered"
