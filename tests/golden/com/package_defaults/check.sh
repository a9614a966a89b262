# The IDL and the registry script are well formed, the identifiers unique,
# and the module and class sources compile against the stand-in runtime.
python3 "$TESTS/golden/com/tools/check_com.py" my_libX
