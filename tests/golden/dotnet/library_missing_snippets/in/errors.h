/* Error and message codes of the library (stand-in) */
#ifndef V_ERRDEF_H
#define V_ERRDEF_H

#define V_MSG_TRUE   2    /* TRUE */
#define V_MSG_FALSE  3    /* FALSE */
#define V_MSG_OK     2    /* No error */
#define V_ERR_UEXTNI 2020 /* Extension package not initialized */

#endif
