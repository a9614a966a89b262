bash "$TESTS/golden/c/compile.sh" VCdemo.h VCdemo.c
