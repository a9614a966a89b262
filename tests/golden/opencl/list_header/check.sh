# The list header compiles as C99 where its users include it: after
# <stdint.h>, as vlib/VOpenCLKernelList.h; its enumeration counts the kernels.
set -e
mkdir -p vlib
cp VOpenCLKernelList.h vlib/
cat > use_list.c <<'C'
#include <stdint.h>
#include "vlib/VOpenCLKernelList.h"
#include "vlib/VOpenCLKernelList.h"
typedef char four_kernels[eNumKernel == 4 ? 1 : -1];
uint32_t fp64_bit = CL_KHR_FP64;
C
gcc -std=c99 -Wall -Werror -fsyntax-only -I. use_list.c
