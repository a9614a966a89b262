"""Stand-in of the runtime's helpers used by generated modules."""
from typing import Sequence, TypeVar, Union

T = TypeVar('T')
MaybeSequence = Union[T, Sequence[T]]


def slice_to_index_list(s, length):
    return list(range(length))[s]
