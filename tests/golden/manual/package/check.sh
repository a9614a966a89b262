# Every file of the manual is well-formed XML; so is every file of the
# realistic corpus's manual, as an extension package and as a library build
# (file_io.def has a user_chapter entry, which a library build refuses).
set -e
for f in *.xml; do xmllint --noout "$f"; done
corpus="$TESTS/corpus"
for form in package library; do
  mkdir "$form" && cd "$form"
  if [ "$form" = package ]; then
    "$VORNC" -W -Rxml -pcorpus "$corpus/library.def" "$corpus/filters.def" "$corpus/regions.def" \
      "$corpus/shape_models.def" "$corpus/xld.def" "$corpus/file_io.def" "$corpus/docs_de.def" \
      > /dev/null 2>&1
  else
    "$VORNC" -W -s -Rxml "$corpus/library.def" "$corpus/filters.def" "$corpus/regions.def" \
      "$corpus/shape_models.def" "$corpus/xld.def" "$corpus/docs_de.def" > /dev/null 2>&1
  fi
  test -f abs_diff_image.xml && test -f classes.xml && test -f class_list.xml
  for f in *.xml; do xmllint --noout "$f"; done
  cd ..
done
test -f package/user_index.xml && test -f library/index.xml
