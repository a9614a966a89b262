# Compile, link with the registration recorder, run, and compare what the
# package registers with what demo.def declares.
sh "$TESTS/stand-ins/c/recorder/check_package.sh" demo "$CASE/registered"
