"""Stand-in of the runtime's iconic-object class of the flat layout."""
from .ffi import VObjectBase


class VObject(VObjectBase):
    pass
