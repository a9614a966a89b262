"""Stand-in of the runtime's call layer: records every call of a generated
function instead of running an operator. Its public names are annotated so
that a type checker checks the generated modules against them."""
from typing import Any, List, Optional, Sequence, Tuple, Union


class VHandleBase:
    def __init__(self, handle: Optional['VTupleElementType'] = None) -> None:
        self.handle = handle


VTupleElementType = Union[int, float, str, VHandleBase]
VTupleType = Union[VTupleElementType, Sequence[VTupleElementType]]

#: Every call as (procedure number, method, arguments), in call order.
calls: List[Tuple[int, str, Tuple[Any, ...]]] = []
#: Number of values that get_output_tuple_m returns.
output_length = 12


class VError(Exception):
    pass


class VObjectBase:
    def __init__(self, key: str) -> None:
        self.key = key


class VornixOperator:
    def __init__(self, proc_number: int) -> None:
        self.proc_number = proc_number

    def __enter__(self) -> 'VornixOperator':
        calls.append((self.proc_number, 'enter', ()))
        return self

    def __exit__(self, *exc: object) -> None:
        # Exceptions pass through: the context never swallows one.
        calls.append((self.proc_number, 'exit', ()))

    def _record(self, name: str, *args: Any) -> None:
        calls.append((self.proc_number, name, args))

    def set_input_object(self, index: int, obj: VObjectBase) -> None:
        self._record('set_input_object', index, obj)

    def set_input_tuple(self, index: int, value: VTupleType) -> None:
        self._record('set_input_tuple', index, value)

    def init_oct(self, index: int) -> None:
        self._record('init_oct', index)

    def execute(self) -> None:
        self._record('execute')

    def get_output_object_key(self, index: int) -> str:
        self._record('get_output_object_key', index)
        return 'key%d' % index

    def get_output_tuple_s(self, index: int) -> VTupleElementType:
        self._record('get_output_tuple_s', index)
        return 's%d' % index

    def get_output_tuple_m(self, index: int) -> List[VTupleElementType]:
        self._record('get_output_tuple_m', index)
        return [float(i) for i in range(output_length)]
