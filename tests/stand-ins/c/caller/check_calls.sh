#!/bin/sh
# Runs every wrapper of a generated extension-package C interface against
# the package's operator table: writes V<package>.c with vornc -H from the
# same definition files, links both with operator stubs, the generated calls
# and the C interface runtime stand-in, and runs them (see
# c_interface_runtime.c for what is checked).
# Usage: check_calls.sh <vornc> <package> <def files...>   (in the folder
# that holds VC<package>.h and VC<package>.c)
set -e
vornc=$1
package=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
stand_ins=$(dirname "$here")
work=$(pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
defs=""
for def in "$@"; do defs="$defs $work/$def"; done
(cd "$scratch" && "$vornc" -H -W -u -p"$package" $defs > /dev/null)
cp "VC$package.h" "VC$package.c" "$scratch/"
cd "$scratch"
sh "$stand_ins/recorder/make_stubs.sh" "V$package.c" > stubs.c
python3 "$here/make_calls.py" "VC$package.h" > calls.c
flags="-std=c99 -Wall -Werror -I$stand_ins -I."
gcc $flags -o run_calls "V$package.c" "VC$package.c" stubs.c calls.c "$here/c_interface_runtime.c"
./run_calls > calls.txt || { cat calls.txt; exit 1; }
