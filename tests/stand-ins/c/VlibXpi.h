/* Stand-in of the extension interface layer (VlibXpi): a package built with
   V_BUILD_WITH_VLIBXPI reaches the library through it and initialises its
   symbols first. */
#ifndef VLIBXPI_STANDIN_H
#define VLIBXPI_STANDIN_H

#include "Vornix.h"
#include "VCtype.h"

#define GLOBAL_ID 0

extern Verror VInitVlibXpiSymbols(int32_t id, void *symbols);

#endif
