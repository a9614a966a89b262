/// The COM interface generator (-X): the interface definitions, one ATL
/// class (header, source, registry script) per class of the COM class list,
/// resource and module files of the in-process server, and for the library
/// build the index headers and the registry clean-up list; with -ma only
/// the makefile list of the object files.
#pragma once

#include "def/operator_model.h"

void write_com_interface(const OperatorList& ops);
