/// The .NET (C#) language interface (mode -N).
#pragma once

#include "def/operator_model.h"

/// Writes VProcIDs.cs and VErrorDef.cs in the library build, then the class
/// file of every class of the .NET class list (the one class of an
/// extension package, VDOTNET<package>.cs).
void write_dotnet_interface(const OperatorList& ops);
