#!/bin/bash
# Hands the class-based interfaces of the realistic library corpus, and of
# the bench package built on it, to their consumers:
#
#   check.sh cpp     -P -s compiles with g++ against the stand-in runtime;
#                    the package and a caller (caller.cpp) compile against
#                    the generated library headers.
#   check.sh dotnet  -N -s, the package and a caller that uses returned
#                    values (caller.cs) compile with mcs.
#   check.sh com     -X -s and the package pass check_com.py (identifiers,
#                    [out,retval] last, the sources compile with g++).
#   check.sh table   -H -s: VSystem.c with the table compiles with gcc.
#   check.sh c       -C -s: the header alone (C and C++) and the source
#                    with and without it compile, against the table.
#   check.sh xml     -Rxml -s: xmllint reads every file of the manual.
#
# Environment: VORNC (the program), CORPUS (the corpus folder, written by
# bench/make_corpus.py --classes). Works in a fresh temporary folder.
set -e
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
tests="$(dirname "$here")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/library" "$work/package"

case "$1" in
  cpp)
    cd "$work/library"
    "$VORNC" -W -P -s -r"$tests/stand-ins/cpp/root" "$CORPUS"/*.def
    (cd "$work/package" && "$VORNC" -W -P -u -pbench "$here/bench.def")
    cp "$here/caller.cpp" "$work/package/"
    bash "$tests/stand-ins/cpp/compile_library.sh" "$work/package/VCPPbench.cpp" \
      "$work/package/caller.cpp"
    ;;
  dotnet)
    cd "$work/library"
    "$VORNC" -W -N -s -r"$tests/stand-ins/dotnet/root" \
      -error-def-path "$tests/stand-ins/dotnet/error_def.h" "$CORPUS"/*.def
    "$VORNC" -W -N -u -pbench "$here/bench.def"
    cp "$here/caller.cs" .
    bash "$tests/stand-ins/dotnet/compile.sh"
    ;;
  com)
    cd "$work/library"
    python3 "$tests/golden/com/tools/com_classes.py" defs > "$work/com_classes.def"
    "$VORNC" -W -X -s -Uclean_reg_vornixx.h "$CORPUS"/*.def "$work/com_classes.def"
    python3 "$tests/golden/com/tools/check_com.py" VornixX --library --cleanup clean_reg_vornixx.h
    cd "$work/package"
    "$VORNC" -W -X -u -pbench "$here/bench.def"
    python3 "$tests/golden/com/tools/check_com.py" benchX
    # The returned gap closes the parameter list.
    grep -q '^    \[out,retval\] double\* Gap$' benchX.idl
    ;;
  table)
    cd "$work/library"
    "$VORNC" -W -H -s "$CORPUS"/*.def
    sh "$tests/stand-ins/c/recorder/check_library.sh"
    ;;
  c)
    cd "$work/library"
    cp "$CORPUS"/*.def .
    "$VORNC" -W -C -s *.def
    TESTS="$tests" bash "$tests/golden/c/compile.sh" VProto.h VCSystem.c library *.def
    ;;
  xml)
    cd "$work/library"
    "$VORNC" -W -Rxml -s "$CORPUS"/*.def
    count=$(find . -name '*.xml' | wc -l)
    [ "$count" -gt 300 ]
    find . -name '*.xml' -print0 | xargs -0 xmllint --noout --nonet
    ;;
  *)
    echo "usage: check.sh cpp|dotnet|com|table|c|xml" >&2
    exit 2
    ;;
esac
