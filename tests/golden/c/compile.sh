#!/bin/bash
# Hands a generated C interface to the C compiler, from a case's check.sh:
#   bash "$TESTS/golden/c/compile.sh" <header> <source> [library <def files>]
# The header is compiled alone as C and as C++, the source alone and after
# its header (so prototypes and wrappers must agree). For a library build the
# operator table generator writes vlib/CoreInterface.h from the same
# definition files, and the source is compiled with and without
# VC_STATIC_VARIANT. A library source always carries the two static
# thread-specific handle functions, which only independent operators use, so
# unused static functions are not an error there.
set -e
header=$1
source=$2
shift 2
stand_ins="$TESTS/stand-ins/c"
c_flags=(-std=c99 -Wall -Werror -fsyntax-only)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

gcc "${c_flags[@]}" -I"$stand_ins" -include VornixC.h -x c "$header"
g++ -std=c++11 -Wall -Werror -fsyntax-only -I"$stand_ins" -include VornixC.h -x c++ "$header"

includes=(-I"$stand_ins")
variants=("")
if [ "$1" = library ]; then
  shift
  defs=()
  for def in "$@"; do defs+=("$PWD/$def"); done
  mkdir "$scratch/vlib"
  (cd "$scratch/vlib" && "$VORNC" -H -s -W "${defs[@]}" > /dev/null)
  includes=(-I"$scratch" -I"$stand_ins")
  variants=("" -DVC_STATIC_VARIANT)
  c_flags+=(-Wno-unused-function)
fi
for variant in "${variants[@]}"; do
  gcc "${c_flags[@]}" $variant "${includes[@]}" "$source"
  gcc "${c_flags[@]}" $variant "${includes[@]}" -include VornixC.h -include "$PWD/$header" "$source"
done
