# The package class compiles with mcs beside a library build of the
# stand-in definitions and the stand-in runtime.
bash "$TESTS/stand-ins/dotnet/compile.sh" --package
