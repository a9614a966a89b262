bash "$TESTS/golden/c/compile.sh" VProto.h VCSystem.c library core.def
