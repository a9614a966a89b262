bash "$TESTS/golden/c/compile.sh" VCmy_lib.h VCmy_lib.c
