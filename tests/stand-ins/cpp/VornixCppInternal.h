// Stand-in of the runtime's internal header of the library build.
#ifndef VORNIXCPP_STANDIN_INTERNAL_H
#define VORNIXCPP_STANDIN_INTERNAL_H

#include "vornixcpp/VornixAPI.h"
#include "vornixcpp/VProcIDs.h"

#endif
