#!/bin/bash
# Compiles the C# files of a -N run (the *.cs files in the current
# directory) with mcs against the stand-in runtime into a throw-away
# library. An extension package's class names the library's classes
# (VObject, VTuple, VErrorDef, ...): with --package the library build of
# library.def is generated beside it first and compiled together with it.
set -e
stand_ins="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
sources=(./*.cs)
if [ "$1" = "--package" ]; then
  mkdir "$build/library"
  (cd "$build/library" && "$VORNC" -W -N -s -r"$stand_ins/root" \
     -error-def-path "$stand_ins/error_def.h" "$stand_ins/library.def")
  sources+=("$build"/library/*.cs)
fi
mcs -nologo -target:library -out:"$build/generated.dll" \
  "$stand_ins/runtime.cs" "$stand_ins/iconic_selection.cs" "${sources[@]}"
