# Every generated class compiles against the stand-in runtime.
bash "$TESTS/stand-ins/cpp/compile_library.sh"
