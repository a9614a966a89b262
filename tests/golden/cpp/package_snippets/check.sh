# The package interface compiles against the stand-in runtime.
g++ -std=c++17 -Wall -Werror -fsyntax-only -I. -I"$TESTS/stand-ins/cpp" VCPPmylib.cpp
