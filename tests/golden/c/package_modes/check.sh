bash "$TESTS/golden/c/compile.sh" VCdemo.h VCdemo.c
sh "$TESTS/stand-ins/c/caller/check_calls.sh" "$VORNC" demo demo.def
