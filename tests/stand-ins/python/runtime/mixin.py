"""Stand-in of the runtime's class helpers used by the class layout."""
from typing import Dict, List, Sequence, Type

from .ffi import VHandleBase, VTupleElementType

handle_classes: Dict[str, Type[VHandleBase]] = {}


def register_handle_class(sem_type: str, cls: Type[VHandleBase]) -> None:
    handle_classes[sem_type] = cls


class VSemTupleBase:
    def __init__(self, values: Sequence[VTupleElementType]) -> None:
        self.values = list(values)

    def as_sequence(self) -> List[VTupleElementType]:
        return self.values


def sem_tuples_to_sequence(items: Sequence[VSemTupleBase]) -> List[VTupleElementType]:
    """Flattens a sequence of semantic tuples; a single one is no sequence."""
    flat: List[VTupleElementType] = []
    for item in items:
        flat.extend(item.as_sequence())
    return flat
