#!/bin/sh
# Hands a generated extension-package operator table to its consumers:
# compiles it against the stand-in headers (plain and with the VlibXpi layer),
# links it with operator stubs and the registration recorder, runs the
# package entry and compares what was registered with the expected listing.
# Usage: check_package.sh <package> <expected registration listing>
set -e
package=$1
expected=$2
here=$(cd "$(dirname "$0")" && pwd)
standins=$(dirname "$here")
flags="-std=c99 -Wall -Werror -I$standins"
# A package written for the VlibXpi layer (-I) is built with
# V_BUILD_WITH_VLIBXPI only; any other builds both ways.
if ! grep -q VInitVlibXpiSymbols "V$package.c"; then
  gcc $flags -fsyntax-only "V$package.c"
fi
gcc $flags -fsyntax-only -DV_BUILD_WITH_VLIBXPI "V$package.c"
sh "$here/make_stubs.sh" "V$package.c" > recorder_stubs.c
gcc $flags -DV_BUILD_WITH_VLIBXPI -DGET_OFFSET="V${package}GetOffset" -o recorder_run \
  "V$package.c" recorder_stubs.c "$here/registration_recorder.c"
./recorder_run > registered.txt
diff -u "$expected" registered.txt
