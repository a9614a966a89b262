#!/usr/bin/env python3
"""Writes an HTML manual with vornc in an empty folder and checks its links.

  html_manual_links.py <vornc> <extension> <vornc argument>...

An argument that names a folder stands for its *.def files in name order.
The run must end with status 0 and leave pages whose every href and src
resolves and which are all reachable from the table of contents
(check_links.py). Besides, every documented operator (every operator file
of the same run with -Rxml) has its page, linked from the name index.
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

import check_links

FIXED_XML_FILES = ("index.xml", "user_index.xml", "classes.xml", "class_list.xml")


def expand(arguments):
    expanded = []
    for argument in arguments:
        if os.path.isdir(argument):
            expanded += sorted(glob.glob(os.path.join(argument, "*.def")))
        else:
            expanded.append(argument)
    return expanded


def run_vornc(vornc, arguments, folder):
    run = subprocess.run([vornc] + arguments, cwd=folder, capture_output=True, text=True)
    if run.returncode != 0:
        print("vornc %s ended with status %d:\n%s" % (" ".join(arguments), run.returncode,
                                                      run.stderr))
        return False
    return True


def documented_operators(vornc, arguments, folder):
    """Names of the operator files that -Rxml writes for the same input."""
    xml_arguments = [("-Rtestxml" if a.startswith("-Rtest") else "-Rxml") if a.startswith("-R") else a
                     for a in arguments]
    if not run_vornc(vornc, xml_arguments, folder):
        return None
    return sorted(name[:-4] for name in os.listdir(folder)
                  if name.endswith(".xml") and name not in FIXED_XML_FILES)


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    vornc, extension = os.path.abspath(sys.argv[1]), sys.argv[2]
    arguments = expand(sys.argv[3:])
    folder = tempfile.mkdtemp(prefix="vornc-manual-links-")
    xml_folder = tempfile.mkdtemp(prefix="vornc-manual-links-xml-")
    try:
        if not run_vornc(vornc, arguments, folder):
            return 1
        pages, faults = check_links.check(folder, extension, "index." + extension)
        operators = documented_operators(vornc, arguments, xml_folder)
        if operators is None:
            return 1
        name_index = "index_by_name." + extension
        if name_index in pages:
            indexed = {link[2].split("#")[0] for link in pages[name_index].links}
            for name in operators:
                page = name + "." + extension
                if page not in pages:
                    faults.append("%s is missing" % page)
                elif page not in indexed:
                    faults.append("%s is not linked from %s" % (page, name_index))
        else:
            faults.append("%s is missing" % name_index)
        for fault in faults:
            print(fault)
        if faults:
            print("%d faults in %d pages" % (len(faults), len(pages)))
            return 1
        print("%d pages (%d operators), all links resolve, all pages reachable" %
              (len(pages), len(operators)))
        return 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)
        shutil.rmtree(xml_folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
