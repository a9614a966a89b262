/* Stand-in of the library's C type header. The operator table needs nothing
   from it beyond its presence. */
#ifndef VCTYPE_STANDIN_H
#define VCTYPE_STANDIN_H

#include "VornixC.h"

#endif
