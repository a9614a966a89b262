# Note: According to the PEP8, constants are usually defined
# on a module level and written in all capital letters with
# underscores separating words.

# Above is a convention, it doesn't actually prevent reassignment.


#: TRUE 
V_MSG_TRUE = 2
#: Wrong type of control parameter: 1 
V_ERR_WIPV1 = 1201
#: Value <a> & "b" > c 
V_ERR_CMP = 1301
#: 
V_ERR_NOCOMMENT = 1302