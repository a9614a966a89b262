#!/usr/bin/env python3
"""Checks the COM interface files in the current directory mechanically,
as far as that is possible without an IDL compiler and the object library:

  - brackets, braces and parentheses of the IDL file and of every registry
    script balance (outside string literals);
  - every uuid in the IDL is a well-formed GUID; interface, class and
    library identifiers are unique; every registry script registers the
    class identifier of its coclass, under the ProgIDs of its COM name;
  - a returned value ("retval") is the last parameter of its member, and a
    member has at most one;
  - the IDL is turned into the C++ header that an IDL compiler would write
    (one abstract struct per interface, propget members as get_<name>), and
    the generated C++ sources compile with g++ -fsyntax-only against the
    stand-in headers in ../stand-ins: every class implements every member
    of its interfaces with the same signature, every store call gets a value
    of its type.

Usage: check_com.py <project> (the IDL base name, "VornixX" or "<package>X")
       [--library]  (library build: also the index headers and clean-up list)
       [--cleanup <file>]
"""
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
STAND_INS = os.path.join(os.path.dirname(HERE), "stand-ins")
GUID = re.compile(r"^[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}$")
ATTRIBUTES = re.compile(r'\[(?:[^\]"]|"(?:[^"\\]|\\.)*")*\]', re.S)
failures = []


def fail(message):
    failures.append(message)


def read(name):
    return open(name, encoding="utf-8").read()


def without_strings_and_comments(text):
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    text = re.sub(r"//[^\n]*", "", text)
    text = re.sub(r'"(?:[^"\\\n]|\\.)*"', '""', text)
    return re.sub(r"'[^'\n]*'", "''", text)


def check_balance(name):
    pairs = {")": "(", "]": "[", "}": "{"}
    stack = []
    for position, c in enumerate(without_strings_and_comments(read(name))):
        if c in "([{":
            stack.append(c)
        elif c in pairs:
            if not stack or stack.pop() != pairs[c]:
                fail(f"{name}: unbalanced '{c}' at offset {position}")
                return
    if stack:
        fail(f"{name}: unclosed '{stack[-1]}'")


def parse_idl(text):
    """(interfaces, coclasses, libid): interfaces as {name: (iid, members)},
    members as (name, [(type, parameter name)]); coclasses as {name: clsid}."""
    interfaces, coclasses = {}, {}
    for match in re.finditer(r"\[([^\[\]]*?uuid\(([^)]*)\)[^\[\]]*?)\]\s*interface\s+(\w+)\s*:\s*"
                             r"IDispatch\s*\{(.*?)\n\};", text, re.S):
        members = []
        for member in re.finditer(r"\[([^\]]*)\]\s*HRESULT\s+(\w+)\s*\((.*?)\)\s*;",
                                  match.group(4), re.S):
            name = member.group(2)
            if "propget" in member.group(1):
                name = "get_" + name
            params = []
            for piece in ATTRIBUTES.sub("", member.group(3)).split(","):
                piece = piece.strip()
                if piece:
                    ptype, _, pname = piece.rpartition(" ")
                    params.append((ptype.strip(), pname.strip()))
            members.append((name, params))
        interfaces[match.group(3)] = (match.group(2), members)
    for match in re.finditer(r"uuid\(([^)]*)\)[^\]]*\]\s*coclass\s+(\w+)", text, re.S):
        coclasses[match.group(2)] = match.group(1)
    library = re.search(r"uuid\(([^)]*)\)[^\]]*\]\s*library\s+(\w+)", text, re.S)
    return interfaces, coclasses, library


def check_return_values(project):
    """Automation clients read the return value from the last parameter, so
    an [out,retval] parameter must close its list."""
    text = read(project + ".idl")
    members = 0
    for member in re.finditer(r"HRESULT\s+(\w+)\s*\((.*?)\)\s*;", text, re.S):
        members += 1
        attributes = [a for a in ATTRIBUTES.findall(member.group(2))]
        marked = [i for i, a in enumerate(attributes) if "retval" in a]
        if len(marked) > 1:
            fail(f"{project}.idl: {member.group(1)} has {len(marked)} return values")
        elif marked and marked[0] != len(attributes) - 1:
            fail(f"{project}.idl: the return value of {member.group(1)} is not its last parameter")
    return members


def check_identifiers(project, interfaces, coclasses, library):
    text = read(project + ".idl")
    for guid in re.findall(r"uuid\(([^)]*)\)", text):
        if not GUID.match(guid):
            fail(f"{project}.idl: malformed GUID '{guid}'")
    ids = [iid for iid, _ in interfaces.values()] + list(coclasses.values())
    if library:
        ids.append(library.group(1))
    lowered = [guid.lower() for guid in ids]
    for guid in sorted(set(lowered)):
        if lowered.count(guid) > 1:
            fail(f"{project}.idl: GUID {guid} used {lowered.count(guid)} times")
    for name, clsid in coclasses.items():
        if "I" + name not in interfaces:
            fail(f"coclass {name} has no interface I{name}")
        if not os.path.exists(name + ".rgs"):
            fail(f"coclass {name} has no registry script")
            continue
        script = read(name + ".rgs")
        if script.count("{%s}" % clsid) != 3:
            fail(f"{name}.rgs does not register the CLSID {clsid} three times")
        for progid in (f"VornixX.{name}.1 = s", f"VornixX.{name} = s",
                       f"ProgID = s 'VornixX.{name}.1'",
                       f"VersionIndependentProgID = s 'VornixX.{name}'"):
            if progid not in script:
                fail(f"{name}.rgs lacks {progid}")
    return library


def check_cleanup(name, interfaces, coclasses):
    text = read(name)
    for cls, clsid in coclasses.items():
        for entry in (f'"VornixX.{cls}"', f'"VornixX.{cls}.1"', '"CLSID\\\\{%s}"' % clsid.upper(),
                      '"Interface\\\\{%s}"' % interfaces["I" + cls][0].upper()):
            if entry not in text:
                fail(f"{name} lacks {entry}")


def write_idl_header(project, interfaces, coclasses, library, package):
    """The C++ view of the IDL that the sources include (under both spellings
    that they use)."""
    lines = ["#pragma once", '#include "VIntDef.h"', '#include "atlbase.h"',
             '#include "vornixx_hand_written.h"']
    known = set(interfaces) | {"IVObjectX", "IHandleAccess"}
    referenced = set()
    for _, members in interfaces.values():
        for _, params in members:
            for ptype, _ in params:
                referenced.update(re.findall(r"\bI\w+", ptype))
    lines += [f"struct {name};" for name in sorted(interfaces)]
    # Interfaces of the library that a package's IDL imports.
    lines += [f"struct {name} : IDispatch {{}};" for name in sorted(referenced - known)]
    for name, (_, members) in interfaces.items():
        lines.append(f'extern "C" const IID IID_{name};')
        lines.append(f"struct {name} : IDispatch {{")
        for member, params in members:
            spelled = ", ".join(f"{t} {n}" for t, n in params)
            lines.append(f"  virtual HRESULT STDMETHODCALLTYPE {member}({spelled}) = 0;")
        lines.append("};")
    for name in coclasses:
        lines.append(f'extern "C" const CLSID CLSID_{name};')
    if library:
        lines.append(f"extern const GUID LIBID_{library.group(2)};")
    header = "\n".join(lines) + "\n"
    for spelling in {project, project[:-1] + "x"}:
        open(spelling + ".h", "w").write(header)
        open(spelling + "_i.c", "w").write("// identifiers: declared in the header\n")


def compile_sources(sources):
    for source in sources:
        result = subprocess.run(["g++", "-std=c++17", "-fsyntax-only", "-Wall", "-Werror",
                                 "-Wno-unused-variable", "-I.", "-I" + STAND_INS, "-x", "c++",
                                 source], capture_output=True, text=True)
        if result.returncode != 0:
            fail(f"{source} does not compile:\n{result.stderr[:4000]}")


def main():
    args = sys.argv[1:]
    project = args[0]
    library_build = "--library" in args
    cleanup = args[args.index("--cleanup") + 1] if "--cleanup" in args else None
    generated = set(os.listdir("."))

    check_balance(project + ".idl")
    for name in sorted(generated):
        if name.endswith(".rgs"):
            check_balance(name)
    interfaces, coclasses, library = parse_idl(read(project + ".idl"))
    if not coclasses or not library:
        fail(f"{project}.idl: no coclass or no library block found")
    check_identifiers(project, interfaces, coclasses, library)
    check_return_values(project)
    if cleanup:
        check_cleanup(cleanup, interfaces, coclasses)
    write_idl_header(project, interfaces, coclasses, library, not library_build)

    sources = [name for name in sorted(generated) if name.endswith(".cpp")]
    if library_build:
        with open("object_map_check.cpp", "w") as out:
            out.write("#include <atlbase.h>\nextern CComModule _Module;\n#include <atlcom.h>\n"
                      '#include "resource.h"\n#include "vlib/base/VornixInternal.h"\n'
                      f'#include "{project}.h"\n#include "VornixCOM.h"\n'
                      '#include "VornixXClasses.h"\n'
                      "BEGIN_OBJECT_MAP(ObjectMap)\n#include \"vornixx_entries.h\"\n"
                      "END_OBJECT_MAP()\n")
        sources.append("object_map_check.cpp")
    compile_sources(sources)

    for message in failures:
        print(message)
    print(f"{len(coclasses)} classes, {len(interfaces)} interfaces, {len(sources)} sources "
          f"checked: {'FAILED' if failures else 'ok'}")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
