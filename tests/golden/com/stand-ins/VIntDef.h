// Stand-in: the integer type of the library's interfaces.
#pragma once
typedef long long Vlong;
