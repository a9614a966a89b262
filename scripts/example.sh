#!/bin/sh
# Sets up, builds and runs vornc on the bundled example package; the
# generated files go to out/example/.
set -e
cd "$(dirname "$0")/.."
./scripts/setup.sh
mkdir -p out/example
cd out/example
../../build/vornc -m -u -pvxdemo ../../examples/vxdemo/vxdemo.def
../../build/vornc -P -u -pvxdemo ../../examples/vxdemo/vxdemo.def
