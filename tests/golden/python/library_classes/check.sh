# Every generated file byte-compiles; every module imports as part of a
# package with the stand-in runtime (class statements find their base
# classes, annotations their names), and a few functions and methods make
# the calls of their operators.
set -e
. "$TESTS/stand-ins/python/load_package.sh"
pkg="$(mktemp -d)"
trap 'rm -rf "$pkg"' EXIT
load_package "$pkg"
PYTHONPATH="$pkg" python3 - <<'PY'
import importlib
# vpose and vhom_mat3d import each other (and each other's converters).
names = ['global', 'vfunction_1d', 'vpose', 'vhom_mat3d', 'vimage', 'vobject', 'vregion',
         'vshape_model', 'vxld', 'vxld_cont', 'errors']
m = {name: importlib.import_module('vornix.' + name) for name in names}
ffi = importlib.import_module('vornix.ffi')
mixin = importlib.import_module('vornix.mixin')

assert mixin.handle_classes == {'shape_model': m['vshape_model'].VShapeModel}
assert issubclass(m['vxld_cont'].VXLDCont, m['vxld'].VXLD)
assert issubclass(m['vimage'].VImage, m['vobject'].VObject)

# A method of an iconic class returns an object of another class.
region = m['vimage'].VImage('img').threshold(1.0, 2.0)
assert isinstance(region, m['vregion'].VRegion) and region.key == 'key1'
assert ffi.calls[:6] == [
    (16, 'enter', ()),
    (16, 'set_input_object', (1, ffi.calls[1][2][1])),
    (16, 'set_input_tuple', (0, 1.0)),
    (16, 'set_input_tuple', (1, 2.0)),
    (16, 'execute', ()),
    (16, 'get_output_object_key', (1,)),
], ffi.calls
assert ffi.calls[1][2][1].key == 'img'

# Fixed-size semantic tuples: converted on the way out and on the way in.
del ffi.calls[:]
pose = m['vpose'].VPose(range(7))
hom = pose.pose_to_hom_mat3d()
assert isinstance(hom, m['vhom_mat3d'].VHomMat3D) and len(hom.values) == 12
assert ffi.calls[1] == (11, 'set_input_tuple', (0, list(range(7)))), ffi.calls
ffi.output_length = 7
back = hom.hom_to_pose()
ffi.output_length = 12
assert isinstance(back, m['vpose'].VPose) and len(back.values) == 7
ffi.output_length = 14
poses = m['vpose'].read_poses('file')
assert len(poses) == 2 and all(isinstance(p, m['vpose'].VPose) for p in poses)
ffi.output_length = 12

# A method whose instance is a sequence of semantic tuples, called on one
# instance, passes it as a sequence of one.
del ffi.calls[:]
f = m['vfunction_1d'].VFunction1D([1, 2])
f.smooth_mean(3, 1)
assert ffi.calls[1] == (15, 'set_input_tuple', (0, [1, 2])), ffi.calls
created = m['vfunction_1d'].create_array([1.0])
assert isinstance(created, m['vfunction_1d'].VFunction1D)

# Handle outputs come in their class.
model = m['vshape_model'].read('file')
assert isinstance(model, m['vshape_model'].VShapeModel) and model.handle == 's0'

# Defaults of the generic parameters.
del ffi.calls[:]
m['vshape_model'].VShapeModel(5).set_param()
assert ffi.calls[2:4] == [(14, 'set_input_tuple', (1, '')), (14, 'set_input_tuple', (2, []))]
copied = m['vobject'].VObject('o').copy(1, -1)
assert isinstance(copied, m['vobject'].VObject)
assert m['errors'].V_MSG_TRUE == 2
PY
