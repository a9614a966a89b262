#!/usr/bin/env python3
"""The kernel corpus of the benchmarks: a few hundred generated kernels in a
few dozen kernel sources of realistic size below <work>/root, and six
kernel descriptor files in <work>. generate(work, rng) writes them and
returns the descriptor names (without ".def") and the kernel count.
"""
import os

FILES = 36
KERNELS_PER_FILE = (6, 12)
DESCRIPTORS = 6

OPERATIONS = [
    ("add", "a + b"), ("sub", "a - b"), ("mul", "a * b * scale"),
    ("max", "max(a, b)"), ("min", "min(a, b)"), ("abs_diff", "fabs(a - b)"),
    ("blend", "mix(a, b, alpha)"), ("threshold", "(a > thresh) ? b : 0.0f"),
]
PIXEL_TYPES = ["uchar", "ushort", "short", "int", "float"]


def common_header():
    return """\
/* Common definitions of the compute-device kernels. */
#ifndef VORNIX_CL_H
#define VORNIX_CL_H
#define BLOCK_W 16
#define BLOCK_H 8
#define CLAMP_U8(v)  clamp((int)(v), 0, 255)
#define CLAMP_U16(v) clamp((int)(v), 0, 65535)
#define IDX(x, y, w) ((y) * (w) + (x))
#define INSIDE(x, y, w, h) ((x) >= 0 && (y) >= 0 && (x) < (w) && (y) < (h))
#define LOAD(img, x, y, w) convert_float((img)[IDX(x, y, w)])
#define BORDER_MIRROR(c, n) ((c) < 0 ? -(c) - 1 : ((c) >= (n) ? 2 * (n) - (c) - 1 : (c)))
#endif
"""


def point_kernel(rng, name, ptype):
    op, expr = rng.choice(OPERATIONS)
    return f"""\
/* {name}: per-pixel {op} of two images of type {ptype} */
__kernel void {name}(__global const {ptype}* src1, __global const {ptype}* src2,
                     __global {ptype}* dst, int width, int height,
                     float scale, float alpha, float thresh)
{{
  int x = get_global_id(0);
  int y = get_global_id(1);
  if (!INSIDE(x, y, width, height))
    return;
  float a = LOAD(src1, x, y, width);
  float b = LOAD(src2, x, y, width);
  float r = {expr};
#if defined(SATURATE)
  dst[IDX(x, y, width)] = convert_{ptype}_sat(r);
#else
  dst[IDX(x, y, width)] = ({ptype})CLAMP_U16(r + {rng.randint(0, 9)}.{rng.randint(0, 99):02d}f);
#endif
}}

"""


def filter_kernel(rng, name, ptype):
    radius = rng.randint(1, 4)
    weights = ", ".join(f"{rng.random():.5f}f" for _ in range(2 * radius + 1))
    return f"""\
/* {name}: separable filter of radius {radius} with local memory tiles */
__constant float {name}_weights[{2 * radius + 1}] = {{ {weights} }};

__kernel __attribute__((reqd_work_group_size(BLOCK_W, BLOCK_H, 1)))
void {name}(__global const {ptype}* src, __global {ptype}* dst,
            int width, int height)
{{
  __local float tile[BLOCK_H + {2 * radius}][BLOCK_W + {2 * radius}];
  int lx = get_local_id(0);
  int ly = get_local_id(1);
  int gx = get_global_id(0);
  int gy = get_global_id(1);
  for (int dy = ly; dy < BLOCK_H + {2 * radius}; dy += BLOCK_H)
  {{
    for (int dx = lx; dx < BLOCK_W + {2 * radius}; dx += BLOCK_W)
    {{
      int sx = BORDER_MIRROR(gx - lx + dx - {radius}, width);
      int sy = BORDER_MIRROR(gy - ly + dy - {radius}, height);
      tile[dy][dx] = LOAD(src, sx, sy, width);
    }}
  }}
  barrier(CLK_LOCAL_MEM_FENCE);
  if (!INSIDE(gx, gy, width, height))
    return;
  float sum = 0.0f;
  for (int k = -{radius}; k <= {radius}; k++)
  {{
    float row = 0.0f;
    for (int j = -{radius}; j <= {radius}; j++)
      row += tile[ly + {radius} + k][lx + {radius} + j] * {name}_weights[j + {radius}];
    sum += row * {name}_weights[k + {radius}];
  }}
  dst[IDX(gx, gy, width)] = ({ptype})CLAMP_U8(sum);
}}

"""


def reduction_kernel(rng, name, ptype):
    return f"""\
/* {name}: histogram of a {ptype} image with local atomics */
__kernel void {name}(__global const {ptype}* src, __global uint* hist,
                     int count, int bins, float lo, float hi)
{{
  __local uint local_hist[256];
  int lid = get_local_id(0);
  for (int i = lid; i < bins; i += get_local_size(0))
    local_hist[i] = 0;
  barrier(CLK_LOCAL_MEM_FENCE);
  for (int i = get_global_id(0); i < count; i += get_global_size(0))
  {{
    float v = convert_float(src[i]);
    int bin = (int)((v - lo) / (hi - lo) * (bins - {rng.randint(1, 3)}));
    atomic_inc(&local_hist[clamp(bin, 0, bins - 1)]);
  }}
  barrier(CLK_LOCAL_MEM_FENCE);
  for (int i = lid; i < bins; i += get_local_size(0))
    atomic_add(&hist[i], local_hist[i]);
}}

"""


def affine_kernel(rng, name, ptype):
    border = rng.choice(["0.0f", "border_value", "LOAD(src, 0, 0, width)"])
    return f"""\
/*
 * {name}: affine transformation of a {ptype} image with bilinear
 * interpolation; pixels that fall outside take {border}.
 */
__kernel void {name}(__global const {ptype}* src, __global {ptype}* dst,
                     int width, int height, int dst_width, int dst_height,
                     float h00, float h01, float h02,
                     float h10, float h11, float h12, float border_value)
{{
  const int x = get_global_id(0);
  const int y = get_global_id(1);
  if (x >= dst_width || y >= dst_height)
    return;
  /* Map the target pixel back into the source. */
  const float sx = h00 * x + h01 * y + h02 - {rng.choice(["0.5f", "0.0f"])};
  const float sy = h10 * x + h11 * y + h12 - {rng.choice(["0.5f", "0.0f"])};
  const int x0 = (int)floor(sx);
  const int y0 = (int)floor(sy);
  const float fx = sx - x0;
  const float fy = sy - y0;
  float v00 = {border}, v01 = {border}, v10 = {border}, v11 = {border};
  if (INSIDE(x0, y0, width, height))         v00 = LOAD(src, x0, y0, width);
  if (INSIDE(x0 + 1, y0, width, height))     v01 = LOAD(src, x0 + 1, y0, width);
  if (INSIDE(x0, y0 + 1, width, height))     v10 = LOAD(src, x0, y0 + 1, width);
  if (INSIDE(x0 + 1, y0 + 1, width, height)) v11 = LOAD(src, x0 + 1, y0 + 1, width);
  const float top = mad(fx, v01 - v00, v00);
  const float bottom = mad(fx, v11 - v10, v10);
  float value = mad(fy, bottom - top, top);
#ifdef ROUND_{rng.randint(0, 3)}
  value = round(value);
#endif
  dst[IDX(x, y, dst_width)] = ({ptype})CLAMP_U{"8" if ptype == "uchar" else "16"}(value);
}}

"""


def generate(work, rng):
    include = os.path.join(work, "root/source/vlib_opencl/include")
    source = os.path.join(work, "root/source/vlib_opencl/source")
    os.makedirs(include)
    os.makedirs(source)
    with open(os.path.join(include, "vornix_cl.h"), "w") as f:
        f.write(common_header())
    descriptors = [[] for _ in range(DESCRIPTORS)]
    kernel_count = 0
    for n in range(FILES):
        file_name = f"vision_{n:02d}"
        text = [f"/* Kernels of group {n} */\n",
                "@pragma OPENCL EXTENSION cl_khr_fp64 : enable\n",
                '#include "vornix_cl.h"\n\n']
        entries = []
        for k in range(rng.randint(*KERNELS_PER_FILE)):
            ptype = rng.choice(PIXEL_TYPES)
            kind = rng.choice([point_kernel, filter_kernel, affine_kernel, reduction_kernel])
            name = f"{kind.__name__.split('_')[0]}_{n:02d}_{k:02d}_{ptype}"
            text.append(kind(rng, name, ptype))
            ops = ", ".join(f"op_{rng.randint(0, 120):03d}" for _ in range(rng.randint(1, 3)))
            entries.append(f"kernel name: {name}; vornix_name: {name};\n"
                           f"  default_block_width: 16; default_block_height: 8;\n"
                           f"  operators: {ops};\n")
            kernel_count += 1
        with open(os.path.join(source, file_name + ".cl"), "w") as f:
            f.write("".join(text))
        descriptors[n % DESCRIPTORS].append(
            f"{file_name} <- {file_name}.cl\n"
            f"compiler_flags: '-cl-mad-enable -DSATURATE';\n"
            f"extensions: cl_khr_fp64;\n"
            f"operators: op_all_{n % 4};\n" + "".join(entries) + "\n")
    with open(os.path.join(work, "tiny.def"), "w") as f:
        f.write("tiny <- tiny.cl\nkernel name: tiny; vornix_name: tiny;\n")
    names = []
    for d, parts in enumerate(descriptors):
        name = f"kernels_{d}"
        with open(os.path.join(work, name + ".def"), "w") as f:
            f.write("".join(parts))
        names.append(name)
    return names, kernel_count
