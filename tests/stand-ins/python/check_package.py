#!/usr/bin/env python3
"""Hands the Python interface of a library build to its consumers.

  check_package.py <vornc> <layout: flat|classes> <definition file or folder>...

Runs `vornc -Y -s` (with -z for the class layout) on the definition files
in an empty directory and checks what Python makes of the result, with the
typed stand-in runtime of this folder as the package's runtime:

- every operator of the files (except those of an "Old.def" file) is one
  function or method of the output, none is lost to another of the same name
  and no method hides one that its class inherits;
- every module byte-compiles and imports first in a fresh interpreter, and
  once it has, typing.get_type_hints, called plainly, resolves every
  annotation of every function and method of every module loaded with it;
- every function and method, called with one distinct value per parameter,
  hands each value to the runtime once, in order, objects numbered from 1 and
  tuples from 0, and returns objects, handles and semantic tuples in their
  classes;
- mypy --strict reports no error on the package.

Output parameters declared "multivalue: optional" (semantic tuples:
"multiinstance: optional") are taken as "true" first: the interface refuses
outputs that may be single or a sequence.
"""
import ast
import os
import py_compile
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def fail(message):
    sys.exit("check_package: " + message)


def copy_definitions(files, directory):
    """The definition files with their optional outputs made sequences."""
    names = []
    for index, path in enumerate(files):
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        output = False
        for i, line in enumerate(lines):
            if line.startswith("parameter "):
                output = "output_control" in line
            elif output and line.strip() in ("multivalue: optional;",
                                             "multiinstance: optional;"):
                lines[i] = line.replace("optional", "true")
        name = "%03d_%s" % (index, os.path.basename(path))
        with open(os.path.join(directory, name), "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        names.append(name)
    return names


def operator_count(directory, names):
    count = 0
    for name in names:
        if "Old.def" in name:
            continue
        with open(os.path.join(directory, name), encoding="utf-8") as f:
            count += sum(1 for line in f if re.match(r"^\w+\s*<-", line))
    return count


def is_helper(name):
    """The converters of fixed-size semantic tuples and the module's own
    helpers (an operator name begins with a letter)."""
    return name.startswith("_") or re.search(r"_from_raw_[sm]$", name) is not None


def function_count(modules):
    """Functions and methods written, without the helpers."""
    count = 0
    for path in modules:
        with open(path, encoding="utf-8") as f:
            try:
                tree = ast.parse(f.read(), path)
            except SyntaxError as error:
                fail("%s does not byte-compile: %s" % (os.path.basename(path), error))
        for node in tree.body:
            body = node.body if isinstance(node, ast.ClassDef) else [node]
            for item in body:
                if isinstance(item, ast.FunctionDef) and not is_helper(item.name):
                    count += 1
    return count


def python_with_mypy():
    for python in (sys.executable, "/usr/bin/python3", "python3"):
        found = shutil.which(python) or (python if os.path.exists(python) else None)
        if found and subprocess.run([found, "-c", "import mypy"],
                                    capture_output=True).returncode == 0:
            return found
    fail("no Python interpreter with mypy (Debian package python3-mypy)")


# Imports each module first in an interpreter that has loaded none of the
# package: a child forked per module from one that never imports it. Once
# the import is done, every function and method of every generated module
# it loaded has its annotations resolved by a plain typing.get_type_hints,
# each to a class (or a typing construct over classes).
IMPORT_CHECK = r'''
import importlib, inspect, os, sys, traceback, typing


def check_resolved(written, hint, where):
    """hint is a class, or a typing construct over classes; the class of a
    forward reference 'module.Class' (or 'Class') is that class of that
    module (or of the function's own module)."""
    if isinstance(written, str):
        written = typing.ForwardRef(written)
    if isinstance(written, typing.ForwardRef):
        module, _, name = written.__forward_arg__.rpartition('.')
        assert inspect.isclass(hint) and hint.__name__ == name and \
            (not module or hint.__module__ == 'vornix.' + module), (where, written, hint)
    elif typing.get_origin(hint) is not None:
        arguments = typing.get_args(hint)
        given = typing.get_args(written)
        if len(given) != len(arguments):
            given = (None,) * len(arguments)
        for w, h in zip(given, arguments):
            check_resolved(w, h, where)
    else:
        assert inspect.isclass(hint), (where, hint)


def resolve_annotations(generated):
    for name in generated:
        module = sys.modules.get('vornix.' + name)
        if module is None:
            continue
        functions = []
        for item_name, item in vars(module).items():
            if inspect.isfunction(item) and item.__module__ == module.__name__:
                functions.append((name + '.' + item_name, item))
            elif inspect.isclass(item) and item.__module__ == module.__name__:
                functions += [(name + '.' + item_name + '.' + n, m)
                              for n, m in vars(item).items() if inspect.isfunction(m)]
        for where, function in functions:
            hints = typing.get_type_hints(function)
            for parameter in inspect.signature(function).parameters:
                assert parameter == 'self' or parameter in hints, (where, parameter)
            assert 'return' in hints, where
            for key, hint in hints.items():
                check_resolved(function.__annotations__[key], hint, where)


failed = []
for module in sys.argv[1:]:
    pid = os.fork()
    if pid == 0:
        try:
            importlib.import_module('vornix.' + module)
            resolve_annotations(sys.argv[1:])
        except BaseException:
            sys.stderr.write('importing vornix.%s first, or resolving the annotations of '
                             'what it loaded, fails:\n' % module)
            traceback.print_exc()
            sys.stderr.flush()
            os._exit(1)
        os._exit(0)
    if os.waitpid(pid, 0)[1] != 0:
        failed.append(module)
sys.exit(1 if failed else 0)
'''


# Runs inside the package's directory: imports every module, resolves the
# annotations and calls every function and method.
CALL_CHECK = r'''
import importlib, inspect, sys, typing
ffi = importlib.import_module('vornix.ffi')
mixin = importlib.import_module('vornix.mixin') if LAYOUT == 'classes' else None
SIZES = {'VPose': 7, 'VHomMat2D': 9, 'VHomMat3D': 12, 'VQuaternion': 4,
         'VDualQuaternion': 8}
modules = {name: importlib.import_module('vornix.' + name) for name in MODULES}
counter = [100]


def fresh():
    counter[0] += 1
    return counter[0]


def is_class(t, base):
    return inspect.isclass(t) and issubclass(t, base)


def value_for(t):
    """A distinct value of an annotation and what the runtime must get."""
    origin, args = typing.get_origin(t), typing.get_args(t)
    if origin is typing.Union:
        sequences = [a for a in args if typing.get_origin(a) is not None]
        # MaybeSequence[X] and the plain unions: one value of the first kind.
        return value_for([a for a in args if a not in sequences][0])
    if origin is not None:  # Sequence[X]
        value, passed = value_for(args[0])
        if is_class(args[0], getattr(mixin, 'VSemTupleBase', ())):
            return [value], list(passed)
        return [value], [passed]
    k = fresh()
    if t is int:
        return k, k
    if t is float:
        return k + 0.5, k + 0.5
    if t is str:
        return 's%d' % k, 's%d' % k
    if is_class(t, ffi.VObjectBase):
        value = t('object%d' % k)
        return value, value
    if is_class(t, ffi.VHandleBase):
        value = t(k)
        return value, value
    if mixin is not None and is_class(t, mixin.VSemTupleBase):
        value = t([k + 0.25] * SIZES.get(t.__name__, 3))
        return value, value.as_sequence()
    raise AssertionError('no value for %r' % (t,))


def output_length(hint):
    """Values that get_output_tuple_m returns: one or two fixed-size tuples."""
    for t in typing.get_args(hint) if typing.get_origin(hint) is tuple else [hint]:
        if inspect.isclass(t) and t.__name__ in SIZES:
            return SIZES[t.__name__]
        if typing.get_origin(t) is not None and typing.get_args(t) and \
                getattr(typing.get_args(t)[0], '__name__', '') in SIZES:
            return 2 * SIZES[typing.get_args(t)[0].__name__]
    return 12


def returned_in_class(t):
    """Iconic objects and the classes of the class modules; plain handles
    (sem_type handle, or a handle type without a class) come as the runtime
    returns them."""
    return inspect.isclass(t) and (issubclass(t, ffi.VObjectBase) or
                                   t.__module__.split('.')[-1] in MODULES)


def check_returned(value, hint, where):
    if typing.get_origin(hint) is tuple:
        for v, h in zip(value, typing.get_args(hint)):
            check_returned(v, h, where)
    elif typing.get_origin(hint) is not None:
        element = typing.get_args(hint)[0]
        if typing.get_origin(hint) is not typing.Union and returned_in_class(element):
            assert all(isinstance(v, element) for v in value), (where, value, hint)
    elif returned_in_class(hint):
        assert isinstance(value, hint), (where, value, hint)


def check_call(function, owner, where):
    hints = typing.get_type_hints(function)
    params = list(inspect.signature(function).parameters)
    args, passed = [], []
    if owner is not None:
        instance, instance_passed = value_for(owner)
        params = params[1:]
    for name in params:
        value, expected = value_for(hints[name])
        args.append(value)
        passed.append(expected)
    ffi.output_length = output_length(hints['return'])
    del ffi.calls[:]
    result = function(instance, *args) if owner is not None else function(*args)
    check_returned(result, hints['return'], where)
    inputs = [c for c in ffi.calls if c[1] in ('set_input_object', 'set_input_tuple')]
    objects = [c[2][0] for c in inputs if c[1] == 'set_input_object']
    tuples = [c[2][0] for c in inputs if c[1] == 'set_input_tuple']
    assert objects == list(range(1, len(objects) + 1)), (where, ffi.calls)
    assert tuples == list(range(len(tuples))), (where, ffi.calls)
    received = [c[2][1] for c in inputs]
    if owner is not None:
        assert received.count(instance_passed) == 1, (where, 'self', ffi.calls)
        received.remove(instance_passed)
    assert received == passed, (where, passed, ffi.calls)
    assert [c[1] for c in ffi.calls][-1] == 'exit', (where, ffi.calls)


calls = 0
for module_name, module in modules.items():
    for name, item in vars(module).items():
        if inspect.isfunction(item) and item.__module__ == module.__name__ and \
                not name.endswith(('_from_raw_s', '_from_raw_m')) and not name.startswith('_'):
            check_call(item, None, module_name + '.' + name)
            calls += 1
        elif inspect.isclass(item) and item.__module__ == module.__name__:
            for method_name, method in vars(item).items():
                if inspect.isfunction(method):
                    hidden = [base.__name__ for base in item.__mro__[1:]
                              if method_name in vars(base)]
                    assert not hidden, (module_name + '.' + name + '.' + method_name,
                                        'hides the method of', hidden)
                    check_call(method, item, module_name + '.' + name + '.' + method_name)
                    calls += 1
print('%d functions and methods called' % calls)
'''


def main():
    if len(sys.argv) < 4 or sys.argv[2] not in ("flat", "classes"):
        fail("usage: check_package.py <vornc> flat|classes <definition file or folder>...")
    vornc, layout, files = os.path.abspath(sys.argv[1]), sys.argv[2], []
    for path in sys.argv[3:]:
        if os.path.isdir(path):
            files += sorted(os.path.join(path, n) for n in os.listdir(path) if n.endswith(".def"))
        else:
            files.append(path)
    work = tempfile.mkdtemp(prefix="vornc-python-package-")
    try:
        out = os.path.join(work, "out")
        os.mkdir(out)
        names = copy_definitions(files, out)
        with open(os.path.join(out, "errors.h"), "w") as f:
            f.write("#define V_MSG_TRUE 2 /* TRUE */\n#define V_ERR_WIPV1 1201 /* Wrong */\n")
        options = ["-Y", "-s", "-W"] + (["-z"] if layout == "classes" else [])
        run = subprocess.run([vornc] + options + ["-error-def-path", "errors.h"] + names,
                             cwd=out, capture_output=True, text=True)
        if run.returncode != 0:
            fail("vornc %s failed:\n%s" % (" ".join(options), run.stderr))
        given = operator_count(out, names)
        for name in names + ["errors.h"]:
            os.remove(os.path.join(out, name))
        generated = sorted(n for n in os.listdir(out) if n.endswith(".py"))

        written = function_count([os.path.join(out, n) for n in generated])
        if written != given:
            fail("%d operators given, %d functions and methods written" % (given, written))

        package = os.path.join(work, "pkg", "vornix")
        os.makedirs(package)
        for name in generated:
            shutil.copy(os.path.join(out, name), package)
        for name in os.listdir(os.path.join(HERE, "runtime")):
            shutil.copy(os.path.join(HERE, "runtime", name), package)
        if layout == "flat":
            for name in os.listdir(os.path.join(HERE, "flat")):
                shutil.copy(os.path.join(HERE, "flat", name), package)
        open(os.path.join(package, "__init__.py"), "w").close()
        root = os.path.dirname(package)
        for name in generated:
            try:
                py_compile.compile(os.path.join(package, name), doraise=True)
            except py_compile.PyCompileError as error:
                fail("%s does not byte-compile:\n%s" % (name, error.msg))

        modules = [n[:-3] for n in generated]
        imported = subprocess.run([sys.executable, "-c", IMPORT_CHECK, *modules], cwd=root,
                                  capture_output=True, text=True)
        if imported.returncode != 0:
            fail(imported.stderr[-4000:])

        script = "LAYOUT = %r\nMODULES = %r\n" % (layout, [m for m in modules
                                                          if m != "errors"]) + CALL_CHECK
        called = subprocess.run([sys.executable, "-c", script], cwd=root,
                                capture_output=True, text=True)
        if called.returncode != 0:
            fail("calls through the stand-in runtime:\n%s" % called.stderr[-4000:])
        print(called.stdout.strip())

        mypy = subprocess.run([python_with_mypy(), "-m", "mypy", "--strict", "--no-incremental",
                               "--cache-dir", os.devnull, "--no-color-output",
                               "-p", "vornix"], cwd=root, capture_output=True, text=True)
        if mypy.returncode != 0:
            fail("mypy reports errors:\n%s%s" % (mypy.stdout[-6000:], mypy.stderr))
        print("%d modules: %d operators, byte-compiled, imported, typed; mypy: %s" %
              (len(modules), given, mypy.stdout.strip().splitlines()[-1]))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
