"""Stand-in of the runtime's call layer: records every call of a generated
function instead of running an operator."""
from typing import Sequence, Union

VTupleElementType = Union[int, float, str]
VTupleType = Union[VTupleElementType, Sequence[VTupleElementType]]

#: Every call as (procedure number, method, arguments), in call order.
calls = []
#: Number of values that get_output_tuple_m returns.
output_length = 12


class VError(Exception):
    pass


class VObjectBase:
    def __init__(self, key):
        self.key = key


class VHandleBase:
    def __init__(self, handle=None):
        self.handle = handle


class VornixOperator:
    def __init__(self, proc_number):
        self.proc_number = proc_number

    def __enter__(self):
        calls.append((self.proc_number, 'enter', ()))
        return self

    def __exit__(self, *exc):
        calls.append((self.proc_number, 'exit', ()))
        return False

    def _record(self, name, *args):
        calls.append((self.proc_number, name, args))

    def set_input_object(self, index, obj):
        self._record('set_input_object', index, obj)

    def set_input_tuple(self, index, value):
        self._record('set_input_tuple', index, value)

    def init_oct(self, index):
        self._record('init_oct', index)

    def execute(self):
        self._record('execute')

    def get_output_object_key(self, index):
        self._record('get_output_object_key', index)
        return 'key%d' % index

    def get_output_tuple_s(self, index):
        self._record('get_output_tuple_s', index)
        return 's%d' % index

    def get_output_tuple_m(self, index):
        self._record('get_output_tuple_m', index)
        return [float(i) for i in range(output_length)]
