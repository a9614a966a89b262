/* Stand-in of the library-internal C type header. */
#ifndef VCTYPE_INTERNAL_STANDIN_H
#define VCTYPE_INTERNAL_STANDIN_H

#include "VCtype.h"

#endif
