// Stand-in for the library's C header as an extension package includes it.
#pragma once
#include "vornix_types.h"
