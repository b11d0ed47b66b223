"""End-to-end cases. Each case is a function taking a harness.Session, registered with @case;
every module in this package is loaded, so a new file of cases needs no other change."""

import importlib
import pkgutil

CASES = {}


def case(fn):
    if fn.__name__ in CASES:
        raise ValueError(f"two cases named {fn.__name__}")
    CASES[fn.__name__] = fn
    return fn


def load_all():
    for module in pkgutil.iter_modules(__path__):
        importlib.import_module(f"{__name__}.{module.name}")
    return CASES
