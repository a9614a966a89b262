// Stand-in for the header of the library's type library, as an extension
// package imports it.
#pragma once
#include "vornixx_hand_written.h"
