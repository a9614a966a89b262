/* errors.h: error and message codes (test input) */
#ifndef V_ERRDEF_H
#define V_ERRDEF_H

#define V_MSG_TRUE        2   /* TRUE */
#define H_MSG_OTHER       7   /* not a code of this library */
#define V_ERR_WIPV1    1201   /* Wrong type of control
                                 parameter:   1 */
#define V_ERR_CMP      1301   /* Value <a> & "b" > c */
#define V_ERR_NOCOMMENT 1302

#endif
