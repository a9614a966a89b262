#!/usr/bin/env python3
"""Writes C calls of every wrapper that a generated VC<package>.h declares,
for the C interface runtime stand-in: each call sets call_wrapper to the
wrapper's name and passes dummy arguments of the declared types.

  make_calls.py VC<package>.h > calls.c
"""
import re
import sys

ARGUMENTS = {
    "const Vobject": "object",
    "Vobject *": "&object",
    "const Vtuple": "tuple",
    "Vtuple *": "&tuple",
    "double": "0.5",
    "double *": "&real",
    "const char *": '"text"',
    "char *": "text",
    "Vlong": "1",
    "Vlong *": "&integer",
}


def argument(parameter):
    match = re.fullmatch(r"(.*?[ *])(\w+)", parameter.strip())
    if not match:
        sys.exit(f"make_calls.py: cannot read parameter '{parameter}'")
    return ARGUMENTS[match.group(1).strip() if not match.group(1).endswith("*")
                     else match.group(1).rstrip("*").strip() + " *"]


def main():
    header = sys.argv[1]
    print('#include "VornixC.h"')
    print(f'#include "{header}"')
    print("extern const char *call_wrapper;")
    print("void run_calls(void)")
    print("{")
    print("  Vobject object = NULL;")
    print("  Vtuple tuple = NULL;")
    print("  double real = 0;")
    print("  Vlong integer = 0;")
    print("  char text[1024];")
    print("  (void)object; (void)tuple; (void)real; (void)integer; (void)text;")
    for line in open(header):
        match = re.match(r"(?:VUserExport|LIntExport) Verror (\w+)\((.*)\);$", line.rstrip("\n"))
        if not match:
            continue
        name, parameters = match.groups()
        arguments = [] if parameters == "void" else [argument(p) for p in parameters.split(",")]
        print(f'  call_wrapper = "{name}";')
        print(f"  {name}({', '.join(arguments)});")
    print("}")


main()
