#!/bin/sh
# Hands the library build's operator table to its consumer: compiles
# VSystem.c (which includes vlib/CoreInterface.h) against the stand-in
# headers, with and without the static variant.
set -e
here=$(cd "$(dirname "$0")" && pwd)
standins=$(dirname "$here")
mkdir -p generated_include/vlib
cp CoreInterface.h generated_include/vlib/
flags="-std=c99 -Wall -Werror -I$standins -Igenerated_include"
gcc $flags -fsyntax-only VSystem.c
gcc $flags -fsyntax-only -DVC_STATIC_VARIANT VSystem.c
