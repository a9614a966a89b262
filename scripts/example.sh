#!/bin/sh
# Sets up, builds and runs every mode of vornc on the bundled example
# package (examples/vxdemo), handing each output to its consumer. Each mode
# writes into its own folder below out/example/:
#   table/    Vvxdemo.c, the operator table (-H): compiled, linked with a
#             recording stand-in of the library's loader and run
#             (registered.txt: what the package registers)
#   c/        VCvxdemo.h, VCvxdemo.c, the C interface (-C): compiled
#   cpp/      VCPPvxdemo.h, VCPPvxdemo.cpp, the C++ interface (-P): compiled
#   dotnet/   the .NET interface (-N): compiled with mcs against the
#             stand-in runtime
#   com/      the COM interface (-X): IDL and registry scripts checked, the
#             module and class sources compiled against the stand-in runtime
#   python/   the Python interface (-Y): byte-compiled and imported as a
#             package with the stand-in runtime
#   help/     the help files (-M)
#   manual/   the HTML reference manual (-Rhtml): every page checked by xmllint
#   modules.txt  the operators by module (-m)
# Every run uses --write-if-changed and --depfile, as a build would.
set -e
cd "$(dirname "$0")/.."
./scripts/setup.sh
root=$(pwd)
vornc="$root/build/vornc"
def="$root/examples/vxdemo/vxdemo.def"
tests="$root/tests"
stand_ins="$tests/stand-ins"
out="$root/out/example"
mkdir -p "$out"
cd "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# gen <folder> <arguments>: one vornc run in out/example/<folder>
gen() {
  folder=$1
  shift
  mkdir -p "$out/$folder"
  (cd "$out/$folder" && "$vornc" --write-if-changed --depfile "$out/$folder.d" "$@")
}

"$vornc" -m -u -pvxdemo "$def" > modules.txt

gen table -W -H -u -pvxdemo "$def"
gen c -W -C -u -pvxdemo "$def"
gen cpp -W -P -u -pvxdemo "$def"
gen dotnet -W -N -u -pvxdemo "$def"
gen help -W -M -u -pvxdemo "$def"
gen manual -W -Rhtml -u -pvxdemo "$def"

# COM registers a type library: the package needs a library block with its
# LIBID and a class for its operators, which the example leaves out. They
# are put in front of a copy of the example here.
cat > "$scratch/vxdemo_com.def" <<'DEF'
library vxdemo <- user_library
short.english: The ``vxdemo'' example package.;
libid {3b8f0c1e-5a7d-4c2b-9e61-0d4f7a2b8c35};
version_major: 1;
version_minor: 0;

class Vxdemo <- user
short.english: Operators of the vxdemo package.;
iid {4c9a1d2f-6b8e-4d3c-8f72-1e5a8b3c9d46};
clsid {5dab2e30-7c9f-4e4d-9083-2f6b9c4dae57};

DEF
cat "$def" >> "$scratch/vxdemo_com.def"
gen com -W -X -u -pvxdemo "$scratch/vxdemo_com.def"

# The Python interface gives every output control a fixed multiplicity; an
# output declared as a tuple ($I, $F, $S) may be one value or several, which
# the Python generator refuses. The Python run therefore takes the
# operators without such outputs.
printf '%s\n' vx_threshold_adaptive vx_smooth_bilateral vx_gradient_magnitude \
  vx_create_tracker vx_set_tracker_param vx_clear_tracker > "$scratch/python.lst"
gen python -W -Y -u -pvxdemo -i"$scratch/python.lst" -error-def-path "$stand_ins/dotnet/error_def.h" "$def"

# Consumers.
flags="-std=c99 -Wall -Werror -I$stand_ins/c"
gcc $flags -fsyntax-only table/Vvxdemo.c
gcc $flags -fsyntax-only -include VornixC.h -x c c/VCvxdemo.h
gcc $flags -fsyntax-only c/VCvxdemo.c
g++ -std=c++17 -Wall -Werror -fsyntax-only -Icpp -I"$stand_ins/cpp" cpp/VCPPvxdemo.cpp
sh "$stand_ins/c/recorder/make_stubs.sh" table/Vvxdemo.c > "$scratch/stubs.c"
gcc $flags -DGET_OFFSET=VvxdemoGetOffset -o "$scratch/load_vxdemo" \
  table/Vvxdemo.c "$scratch/stubs.c" "$stand_ins/c/recorder/registration_recorder.c"
"$scratch/load_vxdemo" > registered.txt
(cd dotnet && VORNC="$vornc" bash "$stand_ins/dotnet/compile.sh" --package)
(cd com && TESTS="$tests" python3 "$tests/golden/com/tools/check_com.py" vxdemoX)
(cd python && TESTS="$tests" bash -c '. "$TESTS/stand-ins/python/load_package.sh" && load_package "$0" flat &&
   PYTHONPATH="$0" python3 -c "import vornix.operator_set, vornix.errors"' "$scratch/py")
for f in help/operators_en_US.ref help/operators_en_US.key help/operators_en_US.idx; do
  test -s "$f"
done
for page in manual/*.html; do xmllint --html --noout "$page"; done

echo "example: every mode written to out/example/ and accepted by its consumer;"
echo "  $(head -n 1 registered.txt) registered by the operator table"
echo "  open the manual at out/example/manual/index.html"
