sh "$TESTS/stand-ins/c/recorder/check_package.sh" none "$CASE/registered"
