#!/bin/bash
# Compiles a library build's C++ interface (the files -P -s wrote into the
# current directory) against the stand-in runtime: every header is made
# reachable as "vornixcpp/<name>" and all sources are checked as one
# translation unit with g++ -std=c++17 -Wall -fsyntax-only.
#
# compile_library.sh [<source>...]: the given sources (a package built on
# the library and its callers, with the package header beside them) are
# then checked as a second translation unit against the same headers.
set -e
stand_ins="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
mkdir -p "$build/vornixcpp"
cp ./*.h VTupleLegacy.hx "$build/vornixcpp/"
: > "$build/all.cpp"
for source in ./*.cpp; do
  echo "#include \"$PWD/${source#./}\"" >> "$build/all.cpp"
done
g++ -std=c++17 -Wall -Werror -fsyntax-only -I"$build" -I"$stand_ins" "$build/all.cpp"
if [ $# -gt 0 ]; then
  : > "$build/package.cpp"
  for source in "$@"; do
    echo "#include \"$(cd "$(dirname "$source")" && pwd)/$(basename "$source")\"" >> "$build/package.cpp"
  done
  g++ -std=c++17 -Wall -Werror -fsyntax-only -I"$build" -I"$stand_ins" "$build/package.cpp"
fi
