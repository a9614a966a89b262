# The LaTeX sources: braces balance outside verbatim blocks, the main
# document includes every operator file that was written, and no
# intermediate XML or stylesheet file is left.
set -e
python3 - <<'PY'
import glob, re, sys
for name in glob.glob("*.tex"):
    text = open(name, encoding="utf-8").read()
    text = re.sub(r"\\begin\{verbatim\}.*?\\end\{verbatim\}", "", text, flags=re.S)
    text = re.sub(r"\\[{}\\]", "", text)
    depth = 0
    for c in text:
        depth += (c == "{") - (c == "}")
        if depth < 0:
            sys.exit(name + ": unbalanced braces")
    if depth:
        sys.exit(name + ": unbalanced braces")
main = open("index.tex", encoding="utf-8").read()
for name in glob.glob("*.tex"):
    if name != "index.tex" and "\\input " + name not in main and name != "index_classes.tex":
        sys.exit("index.tex does not include " + name)
PY
! ls *.xml *.xsl 2>/dev/null
