#!/usr/bin/env python3
"""The compute-device kernel headers of a realistic kernel corpus (the
benchmark's: a few hundred kernels in a few dozen sources, six descriptor
files) handed to their consumers:
- every byte array of the data header (-K) inflates to what the
  preprocessor gives for its source now, and its recorded size is the
  array's length;
- the kernel list (-E) has one enumerator per kernel, and both headers
  compile together as C99 without a warning.

  opencl_corpus.py <vornc>
"""
import os
import random
import re
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "bench"))
import kernel_corpus  # noqa: E402


def run(command, folder):
    done = subprocess.run(command, cwd=folder, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit("failed (status %d): %s\n%s" % (done.returncode, " ".join(command), done.stderr))


def main():
    vornc = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as work:
        names, kernel_count = kernel_corpus.generate(work, random.Random(2305))
        root = os.path.join(work, "root")
        descriptors = [os.path.join(work, name) for name in names]
        out = os.path.join(work, "out")
        os.makedirs(os.path.join(out, "vlib"))
        run([vornc, "-K", "-r" + root] + descriptors, out)
        run([vornc, "-E", "-r" + root] + descriptors, out)
        os.rename(os.path.join(out, "VOpenCLKernelList.h"),
                  os.path.join(out, "vlib", "VOpenCLKernelList.h"))

        header = open(os.path.join(out, "VOpenCLKernel.h")).read()
        arrays = dict(re.findall(r"static unsigned char c_(\w+)\[\] = \{\n(.*?)\n \};\n\n",
                                 header, re.S))
        include = os.path.join(root, "source", "vlib_opencl", "include")
        source_dir = os.path.join(root, "source", "vlib_opencl", "source")
        sources = sorted(n for n in os.listdir(source_dir) if n.endswith(".cl"))
        expected = {n[:-3].replace("-", "_"): n for n in sources}
        if sorted(arrays) != sorted(expected):
            sys.exit("arrays %s, sources %s" % (sorted(arrays), sorted(expected)))
        for name, body in sorted(arrays.items()):
            data = bytes(int(item, 16) for item in re.findall(r"0x[0-9a-f]{2}", body))
            preprocessed = subprocess.run(
                ["cpp", "-P", "-undef", "-x", "c", "-I", include,
                 os.path.join(source_dir, expected[name])],
                check=True, capture_output=True).stdout.replace(b"@", b"#")
            if zlib.decompress(data) != preprocessed:
                sys.exit("array c_%s does not inflate to its preprocessed source" % name)
            if ("   %d,\n" % len(data)) not in header:
                sys.exit("array c_%s: its length %d is not recorded" % (name, len(data)))

        listing = open(os.path.join(out, "vlib", "VOpenCLKernelList.h")).read()
        enumerators = re.findall(r"^  e(\w+),?$", listing, re.M)
        if len(enumerators) != kernel_count + 1 or enumerators[-1] != "NumKernel":
            sys.exit("%d enumerators for %d kernels" % (len(enumerators), kernel_count))
        with open(os.path.join(out, "use_headers.c"), "w") as f:
            f.write("#include <stdint.h>\n#include <stddef.h>\n#include \"VOpenCLKernel.h\"\n"
                    "typedef char all_kernels[eNumKernel == %d ? 1 : -1];\n"
                    "KernelFileInfo* files = OCLKernelFileInfo;\n"
                    "OpKernelDep* ops = OCLOpKernelDep;\n"
                    "int op_count = NUM_OP_DEP;\n" % kernel_count)
        run(["gcc", "-std=c99", "-Wall", "-Werror", "-fsyntax-only", "-I.", "use_headers.c"], out)
    print("%d kernels in %d sources: every array inflates to its source, headers compile"
          % (kernel_count, len(sources)))


if __name__ == "__main__":
    main()
