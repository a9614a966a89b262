# Hands the data header to its consumers:
# - every byte array inflates to the preprocessed source: the text the
#   preprocessor gives for it now, and the text written down beside the case;
# - both headers compile together as C99 (the list header is written by a
#   second run and laid out as vlib/VOpenCLKernelList.h).
set -e
python3 - "$CASE" <<'PY'
import re, subprocess, sys, zlib
case = sys.argv[1]
header = open("VOpenCLKernel.h").read()
arrays = re.findall(r"static unsigned char c_(\w+)\[\] = \{\n(.*?)\n \};\n\n", header, re.S)
files = {"filters": "filters", "median_3x3": "median-3x3"}
assert sorted(name for name, _ in arrays) == sorted(files), arrays
for name, body in arrays:
    data = bytes(int(item, 16) for item in re.findall(r"0x[0-9a-f]{2}", body))
    text = zlib.decompress(data)
    source = "root/source/vlib_opencl/source/%s.cl" % files[name]
    cpp = subprocess.run(["cpp", "-P", "-undef", "-x", "c", "-I",
                          "root/source/vlib_opencl/include", source],
                         check=True, capture_output=True).stdout.replace(b"@", b"#")
    assert text == cpp, name
    assert text == open("%s/preprocessed/%s.txt" % (case, files[name]), "rb").read(), name
    assert ("   %d,\n" % len(data)) in header, name
PY
mkdir -p vlib
"$VORNC" -E kernels
mv VOpenCLKernelList.h vlib/
cat > use_headers.c <<'C'
#include <stdint.h>
#include <stddef.h>
#include "VOpenCLKernel.h"
typedef char four_kernels[eNumKernel == 4 ? 1 : -1];
KernelFileInfo* files = OCLKernelFileInfo;
OpKernelDep* ops = OCLOpKernelDep;
int op_count = NUM_OP_DEP;
C
gcc -std=c99 -Wall -Werror -fsyntax-only -I. use_headers.c
