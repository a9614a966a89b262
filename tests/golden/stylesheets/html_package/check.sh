# Every page reads as HTML, and no intermediate XML or stylesheet is left.
set -e
for page in *.html; do
  out=$(xmllint --html --noout "$page" 2>&1)
  if [ -n "$out" ]; then echo "$page: $out"; exit 1; fi
done
! ls *.xml *.xsl 2>/dev/null
