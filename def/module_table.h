/// The module and category tables of operator-level slots.
#pragma once

/// Number of real modules (indexes 0..10); "none" is 32.
constexpr int module_count = 11;
constexpr int module_none = 32;

/// Module keywords, in index order.
extern const char* const module_keywords[module_count];

/// "none" gives 32, a module keyword its index, anything else -1.
int module_index(const char* text);
/// 32 gives "none", 0..10 the display name, anything else nullptr.
const char* module_display_name(int index);
/// 0..12 by the category table, or -1.
int category_index(const char* text);
