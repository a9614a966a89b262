#!/usr/bin/env python3
"""vornc as a build step, run as a program: dependency files, unchanged files
left alone, all-or-nothing replacement of the outputs, the output list,
reproducible output, the long options and the package-name check.

Usage: build_step_test.py <vornc> <tests-dir> [unittest arguments]
"""
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

VORNC = TESTS = None


def example_def():
    return os.path.join(TESTS, "..", "examples", "vxdemo", "vxdemo.def")


def run(args, cwd, limit_file_size=None, stdout=subprocess.PIPE):
    def limit():
        if limit_file_size is not None:
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit_file_size, limit_file_size))
    env = dict(os.environ)
    env.pop("VORNIXROOT", None)
    env.pop("VORNIXARCH", None)
    return subprocess.run([VORNC] + args, cwd=cwd, stdout=stdout, stderr=subprocess.PIPE,
                          preexec_fn=limit, env=env, timeout=120)


def snapshot(folder):
    """Every file below folder (hidden ones too) with its bytes."""
    found = {}
    for base, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(base, name)
            if os.path.islink(path):
                found[os.path.relpath(path, folder)] = "-> " + os.readlink(path)
                continue
            with open(path, "rb") as f:
                found[os.path.relpath(path, folder)] = f.read()
    return found


def parse_depfile(text):
    """Targets and prerequisites of one make rule, unescaped as make reads them."""
    text = text.replace("\\\n", " ")
    words, word, i = [], "", 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text) and text[i + 1] in " #":
            word += text[i + 1]
            i += 2
            continue
        if c == "$" and i + 1 < len(text) and text[i + 1] == "$":
            word += "$"
            i += 2
            continue
        if c in " \n":
            if word:
                words.append(word)
            word = ""
        else:
            word += c
        i += 1
    if word:
        words.append(word)
    colon = next(i for i, w in enumerate(words) if w.endswith(":"))
    targets = words[:colon] + [words[colon][:-1]]
    return [t for t in targets if t], words[colon + 1:]


# Command lines of every mode that the example package and the stand-ins
# support, with the side files they read.
def mode_commands(inputs):
    d = example_def()
    lib = os.path.join(TESTS, "stand-ins", "cpp", "library_sample.def")
    root = os.path.join(TESTS, "stand-ins", "cpp", "root")
    dotnet = os.path.join(TESTS, "stand-ins", "dotnet")
    return {
        "table": ["-H", "-u", "-pvxdemo", d],
        "c": ["-C", "-u", "-pvxdemo", d],
        "cpp": ["-P", "-u", "-pvxdemo", d],
        "dotnet": ["-N", "-u", "-pvxdemo", d],
        "help": ["-M", "-u", "-pvxdemo", d],
        "manual_xml": ["-Rxml", "-u", "-pvxdemo", d],
        "manual_html": ["-Rhtml", "-u", "-pvxdemo", d],
        "manual_latex": ["-Rlatex:cpp", "-u", "-pvxdemo", d],
        "library_table": ["-H", "-s", lib],
        "library_cpp": ["-P", "-s", "-r" + root, lib],
        "library_dotnet": ["-N", "-s", "-r" + os.path.join(dotnet, "root"),
                           "-error-def-path", os.path.join(dotnet, "error_def.h"),
                           os.path.join(dotnet, "library.def")],
        "library_python": ["-W", "-Y", "-s", "-error-def-path", os.path.join(dotnet, "error_def.h"),
                           os.path.join(dotnet, "library.def")],
    }


class Scratch(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="vornc-buildstep-")
        self.addCleanup(shutil.rmtree, self.folder, True)

    def sub(self, name):
        path = os.path.join(self.folder, name)
        os.makedirs(path, exist_ok=True)
        return path

    def assertNoTemporaryFile(self, folder):
        left = [n for n in snapshot(folder) if ".vornc-" in n]
        self.assertEqual(left, [])


class DependencyFile(Scratch):
    def test_every_mode_names_its_outputs_and_what_it_read(self):
        for mode, args in mode_commands(self.folder).items():
            with self.subTest(mode=mode):
                work = self.sub(mode)
                dep = os.path.join(self.folder, mode + ".d")
                result = run(["--depfile", dep] + args, work)
                self.assertEqual(result.returncode, 0, result.stderr)
                with open(dep) as f:
                    targets, prerequisites = parse_depfile(f.read())
                self.assertEqual(sorted(targets), sorted(snapshot(work)))
                for arg in args:
                    if arg.endswith(".def") or arg.endswith(".h"):
                        self.assertIn(arg, prerequisites)

    def test_kernel_modes_name_the_sources_and_the_headers_they_include(self):
        golden = os.path.join(TESTS, "golden", "opencl")
        for mode, case, args, read in (
                ("-K", "data_header", ["-rroot", "kernels"],
                 ["kernels.def", "root/source/vlib_opencl/source/filters.cl",
                  "root/source/vlib_opencl/source/median-3x3.cl",
                  "root/source/vlib_opencl/include/vornix_cl.h"]),
                ("-E", "list_header", ["filters", "morph"], ["filters.def", "morph"])):
            with self.subTest(mode=mode):
                work = os.path.join(self.folder, case)
                shutil.copytree(os.path.join(golden, case, "in"), work)
                before = set(snapshot(work))
                dep = os.path.join(self.folder, case + ".d")
                result = run(["--depfile", dep, mode] + args, work)
                self.assertEqual(result.returncode, 0, result.stderr)
                with open(dep) as f:
                    targets, prerequisites = parse_depfile(f.read())
                self.assertEqual(sorted(targets), sorted(set(snapshot(work)) - before))
                for name in read:
                    self.assertIn(name, prerequisites)

    def test_transformation_names_imports_includes_and_documents_it_read(self):
        work = self.sub("xslt")
        os.makedirs(os.path.join(work, "sub"))
        sheets = {
            "a.xsl": '<xsl:import href="sub/b.xsl"/><xsl:template match="/"><r>'
                     '<xsl:value-of select="document(\'data.xml\')/d"/><xsl:call-template name="b"/>'
                     '</r></xsl:template>',
            "sub/b.xsl": '<xsl:include href="c.xsl"/>',
            "sub/c.xsl": '<xsl:template name="b"><xsl:value-of select="document(\'../more.xml\')/d"/>'
                         '</xsl:template>',
        }
        for name, body in sheets.items():
            with open(os.path.join(work, name), "w") as f:
                f.write('<xsl:stylesheet version="1.0" '
                        'xmlns:xsl="http://www.w3.org/1999/XSL/Transform">%s</xsl:stylesheet>' % body)
        for name, text in (("data.xml", "<d>1</d>"), ("more.xml", "<d>2</d>"), ("in.xml", "<x/>")):
            with open(os.path.join(work, name), "w") as f:
                f.write(text)
        result = run(["-T", "--depfile", "t.d", "a.xsl", "in.xml"], work)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn(b"<r>12</r>", result.stdout)
        with open(os.path.join(work, "t.d")) as f:
            targets, prerequisites = parse_depfile(f.read())
        # only standard output was written: the dependency file is the target
        self.assertEqual([os.path.basename(t) for t in targets], ["t.d"])
        self.assertEqual(sorted(os.path.normpath(p) for p in prerequisites),
                         ["a.xsl", "data.xml", "in.xml", "more.xml", "sub/b.xsl", "sub/c.xsl"])

    def test_side_files_and_names_with_blanks_dollars_and_hashes(self):
        work = self.sub("odd $name #1")
        with open(example_def()) as f:
            text = f.read()
        with open(os.path.join(work, "a b$c#d.def"), "w") as f:
            f.write(text)
        with open(os.path.join(work, "list $1.txt"), "w") as f:
            f.write("a b$c#d.def\n")
        with open(os.path.join(work, "only #.lst"), "w") as f:
            f.write("vx_threshold_adaptive\n")
        result = run(["-C", "-pvxdemo", "-Flist $1.txt", "-ionly #.lst", "--depfile=out $.d"], work)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(os.path.join(work, "out $.d")) as f:
            text = f.read()
        self.assertIn("a\\ b$$c\\#d.def", text)
        targets, prerequisites = parse_depfile(text)
        self.assertEqual(targets, ["VCvxdemo.h", "VCvxdemo.c"])
        self.assertEqual(prerequisites, ["list $1.txt", "only #.lst", "a b$c#d.def"])
        # make reads it: the outputs are up to date, a touched input is not
        shutil.copy(os.path.join(work, "out $.d"), os.path.join(work, "dep.d"))
        with open(os.path.join(work, "Makefile"), "w") as f:
            f.write("include dep.d\nVCvxdemo.h:\n\ttrue\n")
        old = time.time() - 100
        for name in ("a b$c#d.def", "list $1.txt", "only #.lst"):
            os.utime(os.path.join(work, name), (old, old))
        self.assertEqual(subprocess.run(["make", "-q", "VCvxdemo.h"], cwd=work).returncode, 0)
        os.utime(os.path.join(work, "only #.lst"))
        self.assertEqual(subprocess.run(["make", "-q", "VCvxdemo.h"], cwd=work).returncode, 1)

    def test_none_after_a_failed_run(self):
        work = self.sub("fail")
        with open(os.path.join(work, "bad.def"), "w") as f:
            f.write("op <- Op[:::];\nparameter X: nonsense;\n")
        result = run(["-H", "--depfile", "bad.d", "bad.def"], work)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(sorted(snapshot(work)), ["bad.def"])


class WriteIfChanged(Scratch):
    def test_unchanged_files_keep_their_time_stamps_and_changed_ones_are_replaced(self):
        work = self.sub("w")
        shutil.copy(example_def(), os.path.join(work, "vxdemo.def"))
        args = ["-C", "-pvxdemo", "--write-if-changed", "vxdemo.def"]
        self.assertEqual(run(args, work).returncode, 0)
        old = time.time() - 1000
        for name in ("VCvxdemo.h", "VCvxdemo.c"):
            os.utime(os.path.join(work, name), (old, old))
        self.assertEqual(run(args, work).returncode, 0)
        for name in ("VCvxdemo.h", "VCvxdemo.c"):
            self.assertEqual(int(os.stat(os.path.join(work, name)).st_mtime), int(old))
        with open(os.path.join(work, "VCvxdemo.c"), "ab") as f:
            f.write(b"/* edited */\n")
        os.utime(os.path.join(work, "VCvxdemo.c"), (old, old))
        self.assertEqual(run(args, work).returncode, 0)
        self.assertEqual(int(os.stat(os.path.join(work, "VCvxdemo.h")).st_mtime), int(old))
        self.assertGreater(os.stat(os.path.join(work, "VCvxdemo.c")).st_mtime, old + 500)
        self.assertNotIn(b"edited", snapshot(work)["VCvxdemo.c"])
        self.assertNoTemporaryFile(work)


class FailedRuns(Scratch):
    """A run that fails half-way leaves the files of the run before it."""

    def earlier_run(self, args):
        work = self.sub("w")
        result = run(args, work)
        self.assertEqual(result.returncode, 0, result.stderr)
        return work, snapshot(work)

    def test_file_size_limit(self):
        work, before = self.earlier_run(["-P", "-pvxdemo", example_def()])
        result = run(["-P", "-pvxdemo", "-Dnew", example_def()], work, limit_file_size=4096)
        self.assertEqual(result.returncode, 1)
        self.assertRegex(result.stderr.decode(), r"^vornc error: could not write file '[^']+': File too large\n$")
        self.assertEqual(snapshot(work), before)

    def test_full_disk(self):
        work, before = self.earlier_run(["-C", "-pvxdemo", example_def()])
        os.remove(os.path.join(work, "VCvxdemo.c"))
        os.symlink("/dev/full", os.path.join(work, "VCvxdemo.c"))
        result = run(["-C", "-pvxdemo", example_def()], work)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr.decode(),
                         "vornc error: could not write file 'VCvxdemo.c': No space left on device\n")
        self.assertEqual(snapshot(work)["VCvxdemo.h"], before["VCvxdemo.h"])
        self.assertNoTemporaryFile(work)

    def test_a_folder_in_the_way_of_a_later_file(self):
        work, before = self.earlier_run(["-M", "-pvxdemo", example_def()])
        os.remove(os.path.join(work, "operators_en_US.num"))
        os.mkdir(os.path.join(work, "operators_en_US.num"))
        del before["operators_en_US.num"]
        result = run(["-M", "-pvxdemo", example_def()], work)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(snapshot(work), before)

    def test_a_generator_error_after_the_first_files(self):
        dotnet = os.path.join(TESTS, "stand-ins", "dotnet")
        args = ["-W", "-Y", "-s", "-error-def-path", os.path.join(dotnet, "error_def.h"),
                os.path.join(dotnet, "library.def")]
        work, before = self.earlier_run(args)
        result = run(args[:4] + ["missing.h"] + args[5:], work)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(snapshot(work), before)

    def test_xml_libraries_that_cannot_be_loaded(self):
        needed = subprocess.run(["readelf", "-d", VORNC], capture_output=True, text=True).stdout
        if "libxslt" in needed:
            self.skipTest("this build links the XML libraries at start")
        broken = self.sub("lib")
        open(os.path.join(broken, "libxslt.so.1"), "w").close()
        env = dict(os.environ, LD_LIBRARY_PATH=broken)
        # A mode without XML never loads them ...
        listing = subprocess.run([VORNC, "-m", example_def()], cwd=self.sub("m"),
                                 capture_output=True, env=env)
        self.assertEqual(listing.returncode, 0, listing.stderr)
        # ... and one that needs them says so and writes nothing.
        work = self.sub("r")
        manual = subprocess.run([VORNC, "-Rhtml", example_def()], cwd=work, capture_output=True,
                                env=env)
        self.assertEqual(manual.returncode, 1)
        self.assertRegex(manual.stderr.decode(),
                         r"^vornc error: could not load the XML libraries: .*libxslt\.so\.1.*\n$")
        self.assertEqual(snapshot(work), {})
        self.assertNoTemporaryFile(work)

    def test_standard_output_that_cannot_be_written(self):
        with open("/dev/full", "w") as full:
            result = run(["-m", "-pvxdemo", example_def()], self.folder, stdout=full)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr.decode(),
                         "vornc error: could not write file 'standard output': No space left on device\n")


class Interrupted(Scratch):
    """A run ended by a signal leaves the files of the run before it and
    takes its temporaries along: hidden staged files and the manual's
    scratch folder."""

    def test_a_manual_run_stopped_half_way(self):
        corpus = self.sub("corpus")
        subprocess.run([sys.executable, os.path.join(TESTS, "..", "bench", "make_corpus.py"),
                        corpus, "300", "5"], check=True, stdout=subprocess.DEVNULL)
        defs = sorted(os.path.join(corpus, n) for n in os.listdir(corpus))
        work = self.sub("w")
        scratch = self.sub("tmp")
        env = dict(os.environ, TMPDIR=scratch)
        args = [VORNC, "-W", "-s", "-Rhtml"] + defs
        self.assertEqual(subprocess.run(args, cwd=work, env=env).returncode, 0)
        before = snapshot(work)
        for signal_number in (2, 15, 1):  # SIGINT, SIGTERM, SIGHUP
            with self.subTest(signal=signal_number):
                process = subprocess.Popen(args + ["-Dagain"], cwd=work, env=env)
                deadline = time.time() + 60
                # stopped once its scratch folder exists and pages are staged
                while process.poll() is None and time.time() < deadline:
                    if os.listdir(scratch) and any(".vornc-" in n for n in os.listdir(work)):
                        break
                    time.sleep(0.002)
                if process.poll() is not None:
                    self.skipTest("the run ended before it could be stopped")
                process.send_signal(signal_number)
                self.assertEqual(process.wait(60), -signal_number)
                self.assertEqual(os.listdir(scratch), [])
                self.assertEqual(snapshot(work), before)

class OutputList(Scratch):
    def test_equals_what_a_real_run_writes_for_every_mode(self):
        for mode, args in mode_commands(self.folder).items():
            with self.subTest(mode=mode):
                listing = run(["--list-outputs"] + args, self.sub(mode + "_list"))
                self.assertEqual(listing.returncode, 0, listing.stderr)
                self.assertEqual(snapshot(os.path.join(self.folder, mode + "_list")), {})
                real = self.sub(mode)
                self.assertEqual(run(args, real).returncode, 0)
                self.assertEqual(sorted(listing.stdout.decode().splitlines()), sorted(snapshot(real)))

    def test_names_follow_a_change_of_folder(self):
        out = self.sub("out")
        listing = run(["--list-outputs", "-di", "out", "-H", "-pvxdemo", example_def()], self.folder)
        self.assertEqual(listing.stdout.decode(), "out/Vvxdemo.c\n")
        self.assertEqual(snapshot(out), {})


class Reproducible(Scratch):
    def test_one_command_line_in_two_folders_gives_the_same_bytes(self):
        # every mode in a first folder, a second later on in a longer one
        runs = {}
        for mode, args in mode_commands(self.folder).items():
            first = self.sub("first/" + mode)
            second = self.sub("a/much/longer/second/folder/" + mode)
            shutil.copy(args[-1], os.path.join(first, "input.def"))
            shutil.copy(args[-1], os.path.join(second, "input.def"))
            runs[mode] = (args[:-1] + ["input.def"], first, second)
            self.assertEqual(run(runs[mode][0], first).returncode, 0)
        time.sleep(1.1)
        for mode, (args, first, second) in runs.items():
            with self.subTest(mode=mode):
                self.assertEqual(run(args, second).returncode, 0)
                self.assertEqual(snapshot(first), snapshot(second))


class CommandLine(Scratch):
    def test_help_and_version(self):
        version = run(["--version"], self.folder)
        self.assertEqual((version.returncode, version.stdout), (0, b"vornc 23.05\n"))
        helped = run(["--help"], self.folder)
        self.assertEqual(helped.returncode, 0)
        usage = run([], self.folder).stdout
        self.assertTrue(helped.stdout.startswith(usage))
        for option in (b"--depfile", b"--write-if-changed", b"--list-outputs", b"--version"):
            self.assertIn(option, helped.stdout[len(usage):])
        wrong = run(["--frobnicate"], self.folder)
        self.assertEqual(wrong.returncode, 1)
        self.assertTrue(wrong.stderr.startswith(b'vornc error: wrong parameter "--frobnicate"'))
        self.assertEqual(run(["-H", "--depfile"], self.folder).returncode, 1)

    def test_package_name_must_be_an_identifier(self):
        for name in ("../../evil", "/abs", "a.b", "1st", "a-b", "a b"):
            with self.subTest(name=name):
                work = self.sub("p")
                result = run(["-X", "-u", "-p" + name, example_def()], work)
                self.assertEqual(result.returncode, 1)
                self.assertIn(b"is not an identifier", result.stderr)
                self.assertEqual(snapshot(self.folder), {})
        self.assertEqual(run(["-H", "-p_pkg2", example_def()], self.sub("ok")).returncode, 0)

    def test_a_snippet_that_cannot_be_read(self):
        root = os.path.join(self.folder, "root")
        shutil.copytree(os.path.join(TESTS, "stand-ins", "cpp", "root"), root)
        snippet = os.path.join(root, "source/interfaces/CPP/source/snippets/VImage.cppop")
        os.remove(snippet)
        os.mkdir(snippet)
        result = run(["-W", "-P", "-s", "-r" + root,
                       os.path.join(TESTS, "stand-ins", "cpp", "library_sample.def")], self.sub("w"))
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr.decode(),
                         f"vornc error: could not read snippet file '{snippet}': Is a directory\n")
        self.assertEqual(snapshot(os.path.join(self.folder, "w")), {})

    def test_manual_page_passes_the_linter(self):
        page = os.path.join(TESTS, "..", "man", "vornc.1")
        lint = subprocess.run(["mandoc", "-T", "lint", "-W", "warning", page], capture_output=True)
        self.assertEqual(lint.returncode, 0, lint.stdout + lint.stderr)


if __name__ == "__main__":
    VORNC, TESTS = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:])
