/* Stand-in of the library's version header. */
#ifndef VVERSNUM_STANDIN_H
#define VVERSNUM_STANDIN_H

#define VORNIX_VERSION_CODE 0x17050000

#endif
