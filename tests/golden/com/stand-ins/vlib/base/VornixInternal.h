// Stand-in for the library build's internal header.
#pragma once
#include "vornix_types.h"
