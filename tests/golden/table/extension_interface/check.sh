# The VlibXpi entry must compile with V_BUILD_WITH_VLIBXPI and register the
# same operator.
sh "$TESTS/stand-ins/c/recorder/check_package.sh" xpi_pkg "$CASE/registered"
