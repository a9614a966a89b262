"""Stand-in of the runtime's handle class of the flat layout."""
from .ffi import VHandleBase


class VHandle(VHandleBase):
    pass
