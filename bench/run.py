#!/usr/bin/env python3
"""The benchmark runner: builds the corpus once, runs the modes asked for and
prints one table.

  bench/run.py [--vornc PATH] [--runs N] [--operators N] [MODE ...]

MODE is one of -m -H -C -P -N -X -Y -M -Rxml -Rhtml -Rlatex -E -K (all of
them when none is given); a manual mode may name an interface too
(-Rlatex:cpp). Every definition-file mode runs as the library
build (-s) on the same inputs: the corpus of bench/make_corpus.py (2,058
operators by default, over nine files, since the library build stops at a
handle class without destructor from eleven definition files on) and a
definition file with one class definition per class of the COM list. The
C++ and .NET interfaces get a root with the required snippets (empty), .NET
and Python an error-definition file with a few hundred codes. The OpenCL
modes run on the kernel corpus of bench/kernel_corpus.py.

Each mode runs once to warm the caches and then N times (default 5), each
time in an empty folder. The table shows the median wall and CPU time (user
+ system, of vornc and whatever it runs), the largest peak memory, the
number of files written, the CPU time as a multiple of the parse alone (-m)
and, where protoc is installed, of protoc --python_out on the equivalent
.proto files (make_corpus.py --proto). The goals of the code-generating
modes follow the table. This is a benchmark, not a test: it never fails on
a figure, only when a run fails.

On ext4 without a journal the kernel passes over every inode freed in the
last minute (six minutes while its table block is unwritten) whenever it
creates a file, so the modes that write many files (-P -N -X and the
manual) are charged for deletions made shortly before: by a test suite, a
build, or the end of the previous benchmark. Let the machine rest a few
minutes after such work before measuring.
"""
import os
import random
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import kernel_corpus  # noqa: E402

DEF_MODES = ["-m", "-H", "-C", "-P", "-N", "-X", "-Y", "-M", "-Rxml", "-Rhtml", "-Rlatex"]
KERNEL_MODES = ["-E", "-K"]
CODE_MODES = ["-H", "-C", "-P", "-N", "-X", "-Y", "-M"]
# Goals of the code-generating modes: the parse at most a sixth of protoc's
# time, every code mode at most twice the parse, at most 48 MiB each.
PARSE_PER_PROTOC = 1 / 6
CODE_PER_PARSE = 2.0
CODE_PEAK_MIB = 48
SNIPPET_CLASSES = ["VImage", "VRegion", "VFunction1D", "VPose", "VQuaternion",
                   "VDualQuaternion", "VMatrix", "VSerializedItem", "VDrawingObject",
                   "VWindow"]


def usage(message):
    sys.exit("%s\n%s" % (message, __doc__))


def parse_arguments(argv):
    options = {"vornc": os.path.join(HERE, "..", "build", "vornc"), "runs": 5,
               "operators": 2058, "modes": []}
    i = 0
    while i < len(argv):
        arg = argv[i]
        if arg in ("--vornc", "--runs", "--operators"):
            if i + 1 == len(argv):
                usage("%s needs a value" % arg)
            value = argv[i + 1]
            options[arg[2:]] = value if arg == "--vornc" else int(value)
            i += 2
            continue
        if arg in DEF_MODES + KERNEL_MODES or re.fullmatch(r"-R(xml|html|latex):\w+", arg):
            options["modes"].append(arg)
        else:
            usage("unknown argument %s" % arg)
        i += 1
    if not options["modes"]:
        options["modes"] = DEF_MODES + KERNEL_MODES
    options["vornc"] = os.path.abspath(options["vornc"])
    if not os.access(options["vornc"], os.X_OK):
        usage("vornc not found at %s (build it first or pass --vornc)" % options["vornc"])
    return options


def write_def_inputs(work, operators):
    """The definition files, the root with snippets and the error file."""
    corpus = os.path.join(work, "corpus")
    subprocess.run([sys.executable, os.path.join(HERE, "make_corpus.py"), "--proto",
                    corpus, str(operators), "9"], check=True, stdout=subprocess.DEVNULL)
    # The Python interface refuses output parameters that may be single or
    # a sequence; the corpus declares some outputs "multivalue: optional".
    for name in sorted(os.listdir(corpus)):
        if name.endswith(".def"):
            path = os.path.join(corpus, name)
            with open(path) as f:
                text = f.read()
            text = re.sub(r"(: output_control;\n(?:  .*\n)*?  multivalue: )optional;",
                          r"\1true;", text)
            with open(path, "w") as f:
                f.write(text)
    classes = subprocess.run([sys.executable, os.path.join(HERE, "..", "tests", "golden", "com",
                                                           "tools", "com_classes.py"), "defs"],
                             check=True, capture_output=True, text=True).stdout
    with open(os.path.join(work, "library_classes.def"), "w") as f:
        f.write("library vornix <- system_library\n"
                "short.english: Benchmark library;\n"
                "libid {4a1c0d2e-6b3f-4c8a-9e21-7f5d3b2a1c90};\n"
                "version_major: 23;\nversion_minor: 5;\n\n" + classes)
    root = os.path.join(work, "root")
    for folder, ending in (("CPP/include", "hop"), ("CPP/source", "cppop"),
                           ("DOTNET/source", "csop")):
        snippets = os.path.join(root, "source", "interfaces", folder, "snippets")
        os.makedirs(snippets)
        names = SNIPPET_CLASSES + (["VTuple1", "VTuple2", "VIOStream_head", "VIOStream_foot",
                                    "VCppForwards_manual"] if ending == "hop" else [])
        for name in names:
            open(os.path.join(snippets, "%s.%s" % (name, ending)), "w").close()
    with open(os.path.join(work, "errors.h"), "w") as f:
        for code in range(1000, 1400):
            f.write("#define V_ERR_CODE%d %d /* Error number %d:\n"
                    "   explained over two lines */\n" % (code, code, code))
    defs = [os.path.join(work, "library_classes.def")] + sorted(
        os.path.join(corpus, n) for n in os.listdir(corpus) if n.endswith(".def"))
    protos = sorted(os.path.join(corpus, n) for n in os.listdir(corpus) if n.endswith(".proto"))
    return defs, protos, root


def def_command(vornc, mode, work, root, defs):
    errors = os.path.join(work, "errors.h")
    options = {
        "-m": ["-m"],
        "-P": ["-P", "-s", "-r" + root],
        "-N": ["-N", "-s", "-r" + root, "-error-def-path", errors],
        "-X": ["-X", "-s", "-Uclean_reg_vornixx.h"],
        "-Y": ["-Y", "-s", "-error-def-path", errors],
    }.get(mode, [mode, "-s"])
    return [vornc, "-W"] + options + defs


def measure(command, folder, runs, fresh=True):
    """Median wall and CPU seconds, largest peak KiB and the file count.

    With fresh set, each run writes into a new empty folder and nothing is
    deleted until the whole benchmark ends: on a file system without a
    journal, files created right after as many were deleted cost the kernel
    a scan past every recently freed inode, which would be charged to the
    mode measured next. Without it (a command that names its folder), the
    folder is emptied before each run."""
    walls, cpus, peak, files = [], [], 0, 0
    for run in range(runs + 1):
        if fresh:
            folder_of_run = tempfile.mkdtemp(prefix="out-", dir=os.path.dirname(folder))
        else:
            folder_of_run = folder
            shutil.rmtree(folder_of_run, ignore_errors=True)
            os.makedirs(folder_of_run)
        with open(os.path.join(os.path.dirname(folder), "stderr"), "w+") as err:
            start = time.perf_counter()
            process = subprocess.Popen(command, cwd=folder_of_run, stdout=subprocess.DEVNULL,
                                       stderr=err)
            _, status, usage = os.wait4(process.pid, 0)
            wall = time.perf_counter() - start
            process.returncode = os.waitstatus_to_exitcode(status)
            if process.returncode != 0:
                err.seek(0)
                sys.exit("failed (status %d): %s\n%s" % (process.returncode, " ".join(command),
                                                         err.read()))
        if run == 0:
            continue  # warms the caches
        walls.append(wall)
        cpus.append(usage.ru_utime + usage.ru_stime)
        peak = max(peak, usage.ru_maxrss)
        files = sum(len(names) for _, _, names in os.walk(folder_of_run))
    return statistics.median(walls), statistics.median(cpus), peak, files


def main():
    options = parse_arguments(sys.argv[1:])
    modes, runs, vornc = options["modes"], options["runs"], options["vornc"]
    work = tempfile.mkdtemp(prefix="vornc-bench-")
    rows = {}  # label -> (wall, cpu, peak KiB, files)
    try:
        def_modes = [m for m in modes if m not in KERNEL_MODES]
        if def_modes:
            defs, protos, root = write_def_inputs(work, options["operators"])
            size = sum(os.path.getsize(d) for d in defs)
            print("%d operators, %d definition files, %d bytes; %d runs each"
                  % (options["operators"], len(defs), size, runs))
            if "-m" not in def_modes:
                def_modes.insert(0, "-m")  # the base of the ratios
            for mode in def_modes:
                rows[mode] = measure(def_command(vornc, mode, work, root, defs),
                                     os.path.join(work, "out"), runs)
            if shutil.which("protoc") and protos:
                out = os.path.join(work, "out")
                rows["protoc"] = measure(
                    ["protoc", "--python_out=" + out, "-I" + os.path.dirname(protos[0])]
                    + protos, out, runs, fresh=False)
        kernel_modes = [m for m in modes if m in KERNEL_MODES]
        if kernel_modes:
            kernels = os.path.join(work, "kernels")
            os.makedirs(kernels)
            names, count = kernel_corpus.generate(kernels, random.Random(2305))
            print("%d kernels in %d descriptor files" % (count, len(names)))
            for mode in kernel_modes:
                rows[mode] = measure([vornc, mode, "-r" + os.path.join(kernels, "root")]
                                     + [os.path.join(kernels, n) for n in names],
                                     os.path.join(work, "out"), runs)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print_table(rows)


def ratio(rows, label, base):
    if base not in rows or label in KERNEL_MODES or rows[base][1] <= 0:
        return "-"
    return "%.2f" % (rows[label][1] / rows[base][1])


def print_table(rows):
    print("%-11s %8s %8s %9s %6s %8s %8s" % ("mode", "wall s", "CPU s", "peak MiB", "files",
                                             "x parse", "x protoc"))
    for label, (wall, cpu, peak, files) in rows.items():
        print("%-11s %8.3f %8.3f %9.1f %6d %8s %8s"
              % (label, wall, cpu, peak / 1024, files,
                 ratio(rows, label, "-m") if label != "protoc" else "-",
                 ratio(rows, label, "protoc")))
    print("(ratios of CPU time, measured in this run)")
    if "-m" not in rows:
        return
    checks = []
    if "protoc" in rows:
        value = rows["-m"][1] / rows["protoc"][1]
        checks.append(("-m / protoc", "%.3f" % value, "<= %.3f" % PARSE_PER_PROTOC,
                       value <= PARSE_PER_PROTOC))
    for mode in CODE_MODES:
        if mode in rows:
            value = rows[mode][1] / rows["-m"][1]
            checks.append(("%s / -m" % mode, "%.2f" % value, "<= %.2f" % CODE_PER_PARSE,
                           value <= CODE_PER_PARSE))
            peak = rows[mode][2] / 1024
            checks.append(("%s peak" % mode, "%.1f MiB" % peak, "<= %d MiB" % CODE_PEAK_MIB,
                           peak <= CODE_PEAK_MIB))
    if checks:
        print("goals:")
        for name, value, goal, met in checks:
            print("  %-12s %10s  %-10s %s" % (name, value, goal, "met" if met else "NOT MET"))


if __name__ == "__main__":
    main()
