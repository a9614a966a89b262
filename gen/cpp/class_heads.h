/// Head and tail of a class's header and source, by class kind, and the
/// array classes that follow handle and fixed-size data classes.
#pragma once

#include <string>

#include "gen/cpp/type_mapping.h"

class Writer;

/// What the heads and tails need to know of one class; the class files
/// writer fills it from the class model.
struct CppClassHead {
  std::string name;         // C++ class name
  std::string base;         // C++ base class, "" when none
  std::string description;  // short description, already plain text
  std::string sem_type;     // the row name of the class's type
  int type = -1;
  CppClassKind kind = class_kind_other;
  bool per_member_export = false;
  bool legacy = false;                    // VOperatorSetLegacy
  bool has_parameterless_constructor = false;
  bool has_handle_value_constructor = false;  // one parameter, integer or pointer
};

/// Include guard: "VCPP_" + upper-case class name (+ "_LEGACY").
std::string cpp_include_guard(const CppClassHead& head);

/// Banner, guard, namespace and, for classes, the class line and the
/// members every kind shares; then the members of the kind. The tuple
/// class's header head is a snippet and is not written here.
void write_header_head(Writer& header, const CppClassHead& head);
/// Banner and prologue of the source.
void write_source_head(Writer& source, const CppClassHead& head);
/// The members of the kind that follow both heads (iconic and handle
/// classes: conversion constructors, element access, type checks).
void write_kind_members(Writer& header, Writer& source, const CppClassHead& head);
/// The kind's closing members and array class (iconic, handle, fixed-size
/// data classes); nothing for the other kinds.
void write_class_tail(Writer& header, Writer& source, const CppClassHead& head);

/// Source prologue of step "banner and includes", without the kind members.
void write_source_prologue(Writer& source, bool handle_class);
