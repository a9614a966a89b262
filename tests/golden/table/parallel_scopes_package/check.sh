sh "$TESTS/stand-ins/c/recorder/check_package.sh" scopes "$CASE/registered"
