# Every file of the manual is well-formed XML.
set -e
for f in *.xml; do xmllint --noout "$f"; done
