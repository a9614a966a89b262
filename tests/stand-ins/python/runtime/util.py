"""Stand-in of the runtime's helpers used by generated modules."""
from typing import List, Sequence, TypeVar, Union

T = TypeVar('T')
MaybeSequence = Union[T, Sequence[T]]


def slice_to_index_list(s: slice, length: int) -> List[int]:
    return list(range(length))[s]
