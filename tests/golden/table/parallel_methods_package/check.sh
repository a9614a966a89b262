sh "$TESTS/stand-ins/c/recorder/check_package.sh" meth "$CASE/registered"
