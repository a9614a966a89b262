sh "$TESTS/stand-ins/c/recorder/check_package.sh" blk "$CASE/registered"
