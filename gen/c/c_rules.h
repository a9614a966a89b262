/// Rules of the C interface that other parts of vornc share: when a string
/// parameter goes through the encoded store and load calls, when an operator
/// gets a simple-mode (plain C values) prototype, and which C type a control
/// parameter has in simple mode.
#pragma once

#include "def/operator_model.h"

/// Packed `new_in_version` of 18.11 (major in bits 24-31, minor in 16-23).
/// Handle operators introduced from this version on have no simple mode.
constexpr unsigned simple_mode_handle_version = 0x120b0000u;

/// "Enc" when the strings of a control parameter pass through the encoded
/// store and load calls, else "". That is the case when its type_list holds
/// "string" and its sem_type names the handle-type row "string", "filename",
/// "attribute" or "tuple". With require_string_default (the simple-mode
/// store calls) its default_type must also be "string".
const char* encoding_suffix(const Parameter& param, bool require_string_default);

/// True when the operator gets a simple-mode prototype and wrapper besides
/// the tuple-mode ones. It does not when its control multivalue summary
/// begins with 't', nor when it has a handle parameter and is new in version
/// 18.11 or later.
bool simple_mode_allowed(const Operator& op);

/// C type of a control parameter in simple mode, from its type flag (case
/// ignored): "double " / "double *" for 'f', "const char *" / "char *" for
/// 's', "Vlong " / "Vlong *" for any other letter (input / output).
const char* simple_mode_c_type(char type_flag, bool output);

/// Store letter of the simple-mode store calls without the encoding suffix:
/// 'D' for 'f', 'S' for 's', 'L' otherwise (case ignored). The init calls
/// of output parameters use it as it is.
char simple_mode_store_letter(char type_flag);
