cmake_policy(VERSION 3.25)
# Assembles the manual's stylesheets and writes them into OUTPUT as byte
# arrays, with a table from the file name to its bytes (see
# gen/manual/stylesheet_resources.h).
#
# The block that every stylesheet carries is kept once, in INPUT_DIR/common.xsl:
# its lines from "  <v:phrases>" down to the end-of-block comment replace the
# placeholder line of each other *.xsl file of INPUT_DIR. The assembled,
# self-contained stylesheets are also written to ASSEMBLED_DIR, one file each.
set(common_file "${INPUT_DIR}/common.xsl")
set(placeholder "  <!-- common block: common.xsl -->\n")
set(block_start "  <v:phrases>\n")
set(block_end "  <!-- ================= end of the common block ================= -->\n")

file(READ "${common_file}" common)
string(FIND "${common}" "${block_start}" start)
string(FIND "${common}" "${block_end}" end)
if(start EQUAL -1 OR end EQUAL -1 OR end LESS start)
  message(FATAL_ERROR "${common_file}: the block must run from the phrase table to the end-of-block comment")
endif()
string(LENGTH "${block_end}" end_length)
math(EXPR block_length "${end} + ${end_length} - ${start}")
string(SUBSTRING "${common}" ${start} ${block_length} block)

file(GLOB sheets "${INPUT_DIR}/*.xsl")
list(REMOVE_ITEM sheets "${common_file}")
list(SORT sheets)
file(MAKE_DIRECTORY "${ASSEMBLED_DIR}")
set(arrays "")
set(entries "")
set(index 0)
foreach(sheet IN LISTS sheets)
  get_filename_component(name "${sheet}" NAME)
  file(READ "${sheet}" source)
  string(FIND "${source}" "${placeholder}" first)
  string(FIND "${source}" "${placeholder}" last REVERSE)
  if(first EQUAL -1 OR NOT first EQUAL last)
    message(FATAL_ERROR "${sheet}: needs exactly one line \"${placeholder}\" where the common block goes")
  endif()
  string(REPLACE "${placeholder}" "${block}" assembled "${source}")
  set(assembled_file "${ASSEMBLED_DIR}/${name}")
  file(WRITE "${assembled_file}" "${assembled}")
  file(READ "${assembled_file}" hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # 16 bytes per line
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "// ${name}\nconst unsigned char sheet_${index}[] = {\n${bytes}0x00};\n\n")
  string(APPEND entries "    {\"${name}\", sheet_${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
set(text "// Generated from gen/manual/stylesheets/*.xsl by cmake/embed_stylesheets.cmake; do not edit.\n")
string(APPEND text "#include \"gen/manual/stylesheet_resources.h\"\n\nnamespace {\n\n${arrays}}  // namespace\n\n")
string(APPEND text "const StylesheetResource embedded_stylesheets[] = {\n${entries}    {nullptr, nullptr, 0},\n};\n")
file(WRITE "${OUTPUT}" "${text}")
