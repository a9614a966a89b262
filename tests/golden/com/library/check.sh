# Every class of the library build compiles against the stand-in runtime
# (and all of them together in the object map); the IDL and registry
# scripts are well formed; identifiers are unique and the clean-up list
# names every class's keys.
python3 "$TESTS/golden/com/tools/check_com.py" VornixX --library --cleanup clean_reg_vornixx.h
