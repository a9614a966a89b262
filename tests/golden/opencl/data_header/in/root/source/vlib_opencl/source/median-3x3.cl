#include "vornix_cl.h"
__kernel void median_3(__global uchar* img)
{
  img[0] = CLAMP_PIXEL(img[1]);
}
