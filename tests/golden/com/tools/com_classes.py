#!/usr/bin/env python3
"""The classes of the library build's COM list, read from the handle-type
table's row list (rows.txt: every row with its class name and base class).

The list holds every row that has a class in the object-oriented
interfaces, plus "tuple" and "untyped_object", without "object" and
"handle", in row order. Run as a script it writes a definition file with
one class definition (deterministic iid and clsid) per listed class:

    com_classes.py defs > lib_classes.def
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# Rows with a class name whose "has class" column is 0.
WITHOUT_CLASS = {"channel", "untyped_object", "scanner", "user", "tuple"}


def read_rows():
    """(row number, name, class name, base class name) per row."""
    text = open(os.path.join(HERE, "rows.txt")).read().strip().rstrip(".")
    rows = []
    for number, entry in enumerate(text.split(", ")):
        name, _, rest = entry.partition(" ")
        if rest == "(no class)":
            rows.append((number, name, "", ""))
        elif " < " in rest:
            cls, base = rest.split(" < ")
            rows.append((number, name, cls, base))
        else:
            rows.append((number, name, rest, ""))
    assert len(rows) == 141, len(rows)
    return rows


def com_classes():
    """(row number, row name, class name) of the COM list, in row order."""
    selected = []
    for number, name, cls, _ in read_rows():
        has_class = cls.startswith("V") and name not in WITHOUT_CLASS
        if (has_class or name in ("tuple", "untyped_object")) and name not in ("object", "handle"):
            selected.append((number, name, cls))
    return selected


def interface_id(number):
    return "1f0e%04x-0000-4000-8000-00000000c0de" % number


def class_id(number):
    return "2e0d%04x-0000-4000-8000-00000000c1a5" % number


def write_class_defs(out):
    for number, name, _ in com_classes():
        out.write("class C%d <- %s\n" % (number, name))
        out.write("short.english: Class of %s.;\n" % name)
        out.write("iid {%s};\n" % interface_id(number))
        out.write("clsid {%s};\n\n" % class_id(number))


if __name__ == "__main__":
    if sys.argv[1:] == ["defs"]:
        write_class_defs(sys.stdout)
    else:
        sys.exit(__doc__)
