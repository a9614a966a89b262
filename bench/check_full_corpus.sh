#!/bin/bash
# The consumer checks of the test suite at full scale: writes the class
# corpus of bench/make_corpus.py with 2,058 operators (or $1) and hands
# every mode's output to its consumer, as tests/consumers/check.sh,
# tests/stand-ins/python/check_package.py, the manual's link checker and the
# LaTeX build do for the suite's few hundred operators. Takes some minutes;
# not part of the suite. Prints one line per check and ends with status 1
# when any failed.
#   bench/check_full_corpus.sh [operators] [vornc]
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
operators=${1:-2058}
vornc=$(realpath "${2:-$root/build/vornc}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/make_corpus.py" "$work/classes" "$operators" 20 --classes >/dev/null
python3 "$here/make_corpus.py" --python "$work/python" >/dev/null
failed=0
check() {
  local name=$1
  shift
  local start=$SECONDS
  if "$@" >"$work/$name.log" 2>&1; then
    echo "ok      $name ($((SECONDS - start)) s)"
  else
    echo "FAILED  $name ($((SECONDS - start)) s); last lines:"
    tail -n 20 "$work/$name.log" | sed 's/^/    /'
    failed=1
  fi
}
for consumer in table c cpp dotnet com xml; do
  check "$consumer" env VORNC="$vornc" CORPUS="$work/classes" bash "$root/tests/consumers/check.sh" "$consumer"
done
for layout in flat classes; do
  check "python_$layout" python3 "$root/tests/stand-ins/python/check_package.py" "$vornc" "$layout" \
    "$work/classes" "$work/python"
done
links="$root/tests/manual/html_manual_links.py"
check manual_html python3 "$links" "$vornc" html -s -Rhtml "$work/classes"
check manual_german python3 "$links" "$vornc" html -s -lde_DE -Rhtml "$work/classes"
check manual_latex python3 "$root/tests/manual/latex_manual_build.py" "$vornc" "$operators" 5 10 -W -s \
  -Rlatex:cpp "$work/classes"
exit $failed
