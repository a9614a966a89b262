#!/usr/bin/env python3
"""Runs one golden-file case and compares everything it produces.

A case is a folder:
  cmd        the arguments of vornc, one line, split like a shell would;
             ${CASE} stands for the case folder, ${TESTS} for tests/
  in/        files copied into the empty working directory first (optional)
  expected/  every file the run must leave in the working directory besides
             the inputs, byte for byte; no other file may appear
  stdout     expected standard output (absent: must be empty)
  stderr     expected standard error (absent: must be empty)
  status     expected exit status (absent: 0)
  env        KEY=VALUE lines added to the environment (optional)
  stdin      fed to standard input (absent: empty input)
  check.sh   run after the comparison as `bash check.sh` in the working
             directory (for handing the output to its consumer); must exit 0
Set GOLDEN_KEEP=1 to keep the working directory of a failing case.
"""
import difflib
import os
import shlex
import shutil
import subprocess
import sys
import tempfile


def read(path):
    with open(path, "rb") as f:
        return f.read()


def expand(text, case, tests):
    return text.replace("${CASE}", case).replace("${TESTS}", tests)


def files_below(root):
    found = {}
    for base, _, names in os.walk(root):
        for name in names:
            full = os.path.join(base, name)
            found[os.path.relpath(full, root)] = full
    return found


def show_difference(label, expected, actual):
    sys.stdout.write(f"--- {label} differs\n")
    try:
        e = expected.decode("utf-8").splitlines(keepends=True)
        a = actual.decode("utf-8").splitlines(keepends=True)
        sys.stdout.writelines(difflib.unified_diff(e, a, "expected", "actual", n=2))
    except UnicodeDecodeError:
        sys.stdout.write(f"(binary: {len(expected)} bytes expected, {len(actual)} written)\n")
    sys.stdout.write("\n")


def main():
    vornc, case = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    tests = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    args = shlex.split(expand(read(os.path.join(case, "cmd")).decode().strip(), case, tests))
    env = dict(os.environ)
    env.pop("VORNIXROOT", None)
    env.pop("VORNIXARCH", None)
    if os.path.exists(os.path.join(case, "env")):
        for line in read(os.path.join(case, "env")).decode().splitlines():
            if "=" in line:
                key, value = line.split("=", 1)
                env[key.strip()] = expand(value.strip(), case, tests)
    work = tempfile.mkdtemp(prefix="vornc-golden-")
    inputs = os.path.join(case, "in")
    if os.path.isdir(inputs):
        shutil.copytree(inputs, work, dirs_exist_ok=True)
    before = set(files_below(work))
    stdin_path = os.path.join(case, "stdin")
    stdin = read(stdin_path) if os.path.exists(stdin_path) else b""
    result = subprocess.run([vornc] + args, cwd=work, env=env, input=stdin, capture_output=True,
                            timeout=120)
    failed = False

    expected_status = 0
    if os.path.exists(os.path.join(case, "status")):
        expected_status = int(read(os.path.join(case, "status")).decode().strip())
    if result.returncode != (expected_status & 0xFF):
        sys.stdout.write(f"--- exit status {result.returncode}, expected {expected_status}\n")
        failed = True
    for stream, actual in (("stdout", result.stdout), ("stderr", result.stderr)):
        path = os.path.join(case, stream)
        expected = read(path) if os.path.exists(path) else b""
        if expected != actual:
            show_difference(stream, expected, actual)
            failed = True

    written = {k: v for k, v in files_below(work).items() if k not in before}
    expected_files = files_below(os.path.join(case, "expected"))
    for name in sorted(set(written) | set(expected_files)):
        if name not in written:
            sys.stdout.write(f"--- {name} was not written\n")
            failed = True
        elif name not in expected_files:
            sys.stdout.write(f"--- {name} was written but is not expected\n")
            failed = True
        elif read(written[name]) != read(expected_files[name]):
            show_difference(name, read(expected_files[name]), read(written[name]))
            failed = True

    check = os.path.join(case, "check.sh")
    if not failed and os.path.exists(check):
        env["TESTS"] = tests
        env["CASE"] = case
        env["VORNC"] = vornc
        checked = subprocess.run(["bash", check], cwd=work, env=env, capture_output=True, timeout=300)
        if checked.returncode != 0:
            sys.stdout.write("--- check.sh failed\n")
            sys.stdout.write(checked.stdout.decode(errors="replace"))
            sys.stdout.write(checked.stderr.decode(errors="replace"))
            failed = True

    if failed and os.environ.get("GOLDEN_KEEP"):
        sys.stdout.write(f"working directory kept: {work}\n")
    else:
        shutil.rmtree(work, ignore_errors=True)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
