#!/bin/sh
# Writes C stubs of the operator functions that a generated V<package>.c
# declares ("Verror NAME(Vproc_handle proc_id);"), each recording its name
# when the registration recorder runs it. Usage: make_stubs.sh V<pkg>.c > stubs.c
echo '#include "Vornix.h"'
echo 'extern const char *recorder_called;'
sed -n 's/^Verror \([A-Za-z_][A-Za-z0-9_]*\)(Vproc_handle proc_id);$/\1/p' "$1" |
  while read -r name; do
    echo "Verror $name(Vproc_handle proc_id) { (void)proc_id; recorder_called = \"$name\"; return V_MSG_OK; }"
  done
