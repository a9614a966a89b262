"""Stand-in of the runtime's class helpers used by the class layout."""

handle_classes = {}


def register_handle_class(sem_type, cls):
    handle_classes[sem_type] = cls


class VSemTupleBase:
    def __init__(self, values):
        self.values = list(values)

    def as_sequence(self):
        return self.values


def sem_tuples_to_sequence(items):
    flat = []
    for item in items:
        flat.extend(item.as_sequence())
    return flat
