# Every generated file byte-compiles; the modules import as a package with
# the stand-in runtime, and two functions make the calls that their
# operators need.
set -e
. "$TESTS/stand-ins/python/load_package.sh"
pkg="$(mktemp -d)"
trap 'rm -rf "$pkg"' EXIT
load_package "$pkg" flat
PYTHONPATH="$pkg" python3 - <<'PY'
import importlib
ops = importlib.import_module('vornix.operator_set')
errors = importlib.import_module('vornix.errors')
ffi = importlib.import_module('vornix.ffi')
assert errors.V_ERR_WIPV1 == 1201 and errors.V_ERR_NOCOMMENT == 1302

result = ops.paint_region('R', 'I', [1, 2], 'fill', lambda_val=0.5)
assert type(result).__name__ == 'VObject' and result.key == 'key1', result
assert ffi.calls == [
    (3, 'enter', ()),
    (3, 'set_input_object', (1, 'R')),
    (3, 'set_input_object', (2, 'I')),
    (3, 'set_input_tuple', (0, [1, 2])),
    (3, 'set_input_tuple', (1, 'fill')),
    (3, 'set_input_tuple', (2, 0.5)),
    (3, 'execute', ()),
    (3, 'get_output_object_key', (1,)),
    (3, 'exit', ()),
], ffi.calls

del ffi.calls[:]
values, selected = ops.get_region_features('R', ['area'], [1], [9], 'and')
assert selected == 's1', selected
assert [c[1] for c in ffi.calls] == [
    'enter', 'set_input_object', 'set_input_tuple', 'set_input_tuple', 'set_input_tuple',
    'set_input_tuple', 'init_oct', 'init_oct', 'execute', 'get_output_tuple_m',
    'get_output_tuple_s', 'exit'], ffi.calls
assert ops.paint_region.__doc__.strip().startswith('Paint regions into an image.')
assert ops.query_handle_info.__doc__ is None
PY
