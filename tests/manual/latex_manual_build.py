#!/usr/bin/env python3
"""Writes a LaTeX manual with vornc in an empty folder and builds it with
pdflatex, as a user of the manual would.

  latex_manual_build.py <vornc> <min pages> <max overfull boxes> <max overfull pt>
                        <vornc argument>...

An argument that names a folder stands for its *.def files in name order.
The vornc run must end with status 0; one pdflatex run over index.tex must
end with status 0 and no error, write index.pdf with at least <min pages>
pages, and report at most <max overfull boxes> overfull boxes, none wider
than <max overfull pt> points. Prints the counts, and the widest boxes when
the bound is exceeded.
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

OVERFULL = re.compile(r"^Overfull \\[hv]box \(([0-9.]+)pt too (?:wide|high)\)(.*)$", re.M)
PAGES = re.compile(r"Output written on index\.pdf \((\d+) pages?")


def expand(arguments):
    expanded = []
    for argument in arguments:
        if os.path.isdir(argument):
            expanded += sorted(glob.glob(os.path.join(argument, "*.def")))
        else:
            expanded.append(argument)
    return expanded


def main():
    if len(sys.argv) < 6:
        sys.exit(__doc__)
    vornc = os.path.abspath(sys.argv[1])
    min_pages, max_boxes, max_width = int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
    arguments = expand(sys.argv[5:])
    folder = tempfile.mkdtemp(prefix="vornc-manual-latex-")
    try:
        run = subprocess.run([vornc] + arguments, cwd=folder, capture_output=True, text=True)
        if run.returncode != 0:
            print("vornc ended with status %d:\n%s" % (run.returncode, run.stderr))
            return 1
        latex = subprocess.run(["pdflatex", "-interaction=nonstopmode", "-halt-on-error",
                                "index.tex"], cwd=folder, capture_output=True,
                               stdin=subprocess.DEVNULL)
        with open(os.path.join(folder, "index.log"), encoding="latin-1") as log_file:
            log = log_file.read()
        errors = [line for line in log.splitlines() if line.startswith("!")]
        if latex.returncode != 0 or errors:
            print("pdflatex ended with status %d:" % latex.returncode)
            print("\n".join(errors[:20]) or log[-3000:])
            return 1
        pages = PAGES.search(log)
        if pages is None or int(pages.group(1)) < min_pages:
            print("index.pdf has %s pages, expected at least %d" %
                  (pages.group(1) if pages else "no", min_pages))
            return 1
        boxes = sorted(((float(width), rest) for width, rest in OVERFULL.findall(log)),
                       reverse=True)
        widest = boxes[0][0] if boxes else 0.0
        print("%s pages; %d overfull boxes, the widest %.1f pt" %
              (pages.group(1), len(boxes), widest))
        if len(boxes) > max_boxes or widest > max_width:
            print("more than %d overfull boxes or one wider than %.1f pt; the widest:" %
                  (max_boxes, max_width))
            for width, rest in boxes[:10]:
                print("  %.1f pt%s" % (width, rest))
            return 1
        return 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
