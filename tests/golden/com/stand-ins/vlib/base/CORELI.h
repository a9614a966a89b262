// Stand-in for the library build's core interface header.
#pragma once
#include "vornix_types.h"
