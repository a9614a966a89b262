bash "$TESTS/golden/c/compile.sh" VCmy_lib.h VCmy_lib.c
sh "$TESTS/stand-ins/c/caller/check_calls.sh" "$VORNC" my_lib strings.def
