/* Mean filters */
@pragma OPENCL EXTENSION cl_khr_fp64 : enable
#include "vornix_cl.h"

__kernel void mean_n(__global const uchar* in, __global uchar* out, int linux)
{
  int x = get_global_id(0);
  out[x] = CLAMP_PIXEL(in[x] + TILE);   // rounded later
}

@ifdef MEAN_X
__kernel void mean_x(__global const uchar* in, __global uchar* out)
{
  out[get_global_id(0)] = in[get_global_id(0)];
}
@endif
