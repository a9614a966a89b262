# The generated classes compile with mcs against the stand-in runtime.
bash "$TESTS/stand-ins/dotnet/compile.sh"
