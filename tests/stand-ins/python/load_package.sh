# Copies the generated modules of the current directory with the stand-in
# runtime into a package "vornix" below $1 and byte-compiles every generated
# file. Source it from a golden case's check.sh: load_package <dir> [flat].
# With "flat" the runtime's vobject and vhandle modules are added as well,
# unless the run generated a module of that name (the class layout writes
# vobject.py when an operator has a parameter of the semantic type object).
load_package() {
  here="$TESTS/stand-ins/python"
  mkdir -p "$1/vornix"
  for f in *.py; do
    python3 -m py_compile "$f" || { echo "py_compile failed: $f"; return 1; }
    cp "$f" "$1/vornix/"
  done
  cp "$here"/runtime/*.py "$1/vornix/"
  if [ "$2" = flat ]; then cp -n "$here"/flat/*.py "$1/vornix/"; fi
  : > "$1/vornix/__init__.py"
}
