sh "$TESTS/stand-ins/c/recorder/check_library.sh"
