# The bundled example package: compile, link with the registration recorder,
# run, and compare what it registers with what vxdemo.def declares.
sh "$TESTS/stand-ins/c/recorder/check_package.sh" vxdemo "$CASE/registered"
