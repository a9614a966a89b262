// Writes one Python function of the interface: its signature with type
// annotations, its NumPy-style docstring and the body that hands the inputs
// to the operator's call context, runs it and returns its outputs.
#include <algorithm>
#include <map>

#include "driver/diagnostics.h"
#include "gen/python/python_writers.h"

namespace {

// Blanks and the number of characters that an annotation adds to the
// one-line estimate of a signature.
size_t estimated_length(const PyParameter& p) {
  size_t length = p.name.size() + p.element_type.size() + p.default_text.size() + 4;
  switch (p.multiplicity) {
    case PyMultiplicity::single:
      break;
    case PyMultiplicity::sequence:
      length += 10;  // "Sequence[" and "]"
      break;
    case PyMultiplicity::maybe_sequence:
      length += 15;  // "MaybeSequence[" and "]"
      break;
    default:
      throw PythonGenError("Unknown multiplicity");
  }
  if (p.optional) length += 10;
  return length;
}

void write_parameter(Writer& out, const PyParameter& p, const PyLayout& layout,
                     const std::string& module) {
  out.put("%s: ", p.name.c_str());
  out.write(annotation_text(p, layout, module));
  if (!p.default_text.empty()) out.put(" = %s", p.default_text.c_str());
}

// A docstring line: backslashes are doubled and a triple quote is escaped,
// so that the docstring shows the definition's text and the string literal
// stays well formed.
std::string docstring_safe(const std::string& line) {
  std::string safe;
  safe.reserve(line.size());
  // Runs without a backslash or a quote are copied whole.
  for (size_t i = 0; i < line.size();) {
    size_t special = i;
    while (special < line.size() && line[special] != '\\' && line[special] != '"') ++special;
    safe.append(line, i, special - i);
    if (special == line.size()) break;
    i = special;
    if (line[i] == '\\') {
      safe += "\\\\";
      ++i;
    } else if (line.compare(i, 3, "\"\"\"") == 0) {
      safe += "\\\"\\\"\\\"";
      i += 3;
    } else {
      safe += '"';
      ++i;
    }
  }
  return safe;
}

void write_wrapped(Writer& out, const std::string& text, size_t width, const std::string& indent) {
  for (const std::string& line : wrap_lines(text, width)) {
    if (line.empty()) {
      out.write("\n");
    } else {
      out.put("%s%s\n", indent.c_str(), docstring_safe(line).c_str());
    }
  }
}

void write_section_title(Writer& out, const std::string& indent, const char* title) {
  out.write("\n");
  out.put("%s%s\n%s", indent.c_str(), title, indent.c_str());
  out.repeat('-', static_cast<int>(std::string(title).size()));
  out.write("\n");
}

void write_parameter_entry(Writer& out, const PyParameter& p, bool self,
                           const std::string& indent, const PyLayout& layout,
                           const std::string& module) {
  out.write("\n");
  std::string prefix;
  if (self) {
    out.put("%s%s (self) : ", indent.c_str(), p.name.c_str());
    prefix = p.name + " (self) : ";
  } else {
    out.put("%s%s : ", indent.c_str(), p.name.c_str());
    prefix = p.name + " : ";
  }
  out.write(annotation_text(p, layout, module));
  out.write("\n");
  int width = 71 - static_cast<int>(p.name.size() + 3) - (self ? 8 : 0);
  write_wrapped(out, p.description, static_cast<size_t>(std::max(width, 1)), indent);
  std::string column = indent + std::string(prefix.size(), ' ');
  if (!p.value_suggestion.empty()) {
    out.put("%sValue Suggestion: %s\n", column.c_str(),
            docstring_safe(p.value_suggestion).c_str());
  }
  if (!p.assertion.empty()) {
    out.put("%sAssertion: ", column.c_str());
    out.write(docstring_safe(p.assertion));
    out.write("\n");
  }
}

void write_operator_list(Writer& out, const std::string& indent, const char* title,
                         const TextList& names) {
  if (names.empty()) return;
  write_section_title(out, indent, title);
  std::string joined;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) joined += ", ";
    joined += names[i];
  }
  write_wrapped(out, joined, 70, indent);
}

// The value of an output, as the call context returns it.
std::string output_value(const PyParameter& p, int number, const std::string& module,
                         const PyLayout& layout) {
  // The class itself: without the module prefix inside its own module (the
  // module does not import itself) and in the flat layout (which imports
  // the class names only).
  std::string class_ref = p.element_type;
  if (layout.class_layout && p.module != module) class_ref = p.module + "." + p.element_type;
  if (p.kind == PyKind::iconic_object) {
    return class_ref + format_text("(proc.get_output_object_key(%d))", number);
  }
  // Handles are returned in their class, as iconic objects are.
  if (p.kind == PyKind::handle && p.multiplicity == PyMultiplicity::single) {
    return class_ref + format_text("(proc.get_output_tuple_s(%d))", number);
  }
  if (p.kind == PyKind::handle && p.multiplicity == PyMultiplicity::sequence) {
    return format_text("[%s(handle) for handle in proc.get_output_tuple_m(%d)]",
                       class_ref.c_str(), number);
  }
  switch (p.multiplicity) {
    case PyMultiplicity::single:
      if (p.kind == PyKind::fixed_size_sem_tuple) {
        return format_text("%s_from_raw_s(proc.get_output_tuple_m(%d))", p.element_type.c_str(),
                           number);
      }
      if (p.kind == PyKind::sem_tuple) {
        return class_ref + format_text("(proc.get_output_tuple_m(%d))", number);
      }
      return format_text("proc.get_output_tuple_s(%d)", number);
    case PyMultiplicity::sequence:
      if (p.kind == PyKind::fixed_size_sem_tuple) {
        return format_text("%s_from_raw_m(proc.get_output_tuple_m(%d))", p.element_type.c_str(),
                           number);
      }
      return format_text("proc.get_output_tuple_m(%d)", number);
    case PyMultiplicity::maybe_sequence:
      break;
  }
  throw PythonGenError("No output param should be MaybeSequence");
}

}  // namespace

std::vector<std::string> wrap_lines(const std::string& text, size_t width) {
  std::vector<std::string> lines;
  const size_t window = width + 1;
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos >= text.size()) break;
    size_t window_end = std::min(text.size(), pos + window);
    size_t line_break = text.find('\n', pos);
    std::string line;
    if (line_break != std::string::npos && line_break < window_end) {
      line = text.substr(pos, line_break - pos);
      pos = line_break + 1;
    } else if (text.size() - pos <= window) {
      line = text.substr(pos);
      pos = text.size();
    } else {
      size_t blank = text.rfind(' ', window_end - 1);
      if (blank != std::string::npos && blank > pos) {
        line = text.substr(pos, blank - pos);
        pos = blank + 1;
      } else {
        line = text.substr(pos, window);
        pos += window;
      }
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string annotation_text(const PyParameter& p, const PyLayout& layout,
                            const std::string& module) {
  if (p.raw_annotation) return p.element_type;
  std::string element = p.element_type;
  if (layout.class_layout && p.class_typed()) {
    // A module does not import itself: its own class goes by its name.
    element = p.module == module ? "'" + p.element_type + "'"
                                 : "'" + p.module + "." + p.element_type + "'";
  }
  switch (p.multiplicity) {
    case PyMultiplicity::single:
      return p.optional ? "Optional[" + element + "]" : element;
    case PyMultiplicity::sequence:
      return "Sequence[" + element + "]";
    case PyMultiplicity::maybe_sequence:
      return "MaybeSequence[" + element + "]";
  }
  throw PythonGenError("Unknown multiplicity");
}

void write_signature(Writer& out, const PyFunction& f, const std::string& def_indent,
                     const PyLayout& layout, const std::string& module) {
  out.put("%sdef %s(", def_indent.c_str(), f.name.c_str());
  std::vector<const PyParameter*> params;
  size_t estimate = 0;
  for (size_t i = 0; i < f.inputs.size(); ++i) {
    if (static_cast<int>(i) == f.instance) continue;
    params.push_back(&f.inputs[i]);
    estimate += estimated_length(f.inputs[i]);
  }
  bool method = f.instance >= 0;
  if (estimate <= 79) {
    if (method) out.write(params.empty() ? "self" : "self, ");
    for (size_t i = 0; i < params.size(); ++i) {
      if (i > 0) out.write(", ");
      write_parameter(out, *params[i], layout, module);
    }
    out.write(") -> ");
  } else {
    if (method) out.put("\n%s    self,", def_indent.c_str());
    for (size_t i = 0; i < params.size(); ++i) {
      if (i == 0) {
        out.put("\n%s    ", def_indent.c_str());
      } else {
        out.put(",\n%s    ", def_indent.c_str());
      }
      write_parameter(out, *params[i], layout, module);
    }
    out.write("\n");
    out.put("%s) -> ", def_indent.c_str());
  }
  if (f.outputs.empty()) {
    out.write("None");
  } else if (f.outputs.size() == 1) {
    out.write(annotation_text(f.outputs[0], layout, module));
  } else {
    out.write("Tuple[");
    for (size_t i = 0; i < f.outputs.size(); ++i) {
      if (i > 0) out.write(", ");
      out.write(annotation_text(f.outputs[i], layout, module));
    }
    out.write("]");
  }
  out.write(":\n");
}

void write_docstring(Writer& out, const PyFunction& f, const std::string& indent,
                     const PyLayout& layout, const std::string& module) {
  for (const PyParameter& p : f.inputs)
    if (p.description.empty()) return;
  out.put("%s\"\"\"\n", indent.c_str());
  write_wrapped(out, f.short_description, 70, indent);
  if (!f.inputs.empty()) {
    write_section_title(out, indent, "Parameters");
    for (size_t i = 0; i < f.inputs.size(); ++i) {
      write_parameter_entry(out, f.inputs[i], static_cast<int>(i) == f.instance, indent, layout,
                            module);
    }
  }
  if (!f.outputs.empty()) {
    write_section_title(out, indent, "Returns");
    for (const PyParameter& p : f.outputs) {
      write_parameter_entry(out, p, false, indent, layout, module);
    }
  }
  write_operator_list(out, indent, "See Also", f.see_also);
  write_operator_list(out, indent, "Alternatives", f.alternatives);
  write_operator_list(out, indent, "Predecessors", f.predecessor);
  write_operator_list(out, indent, "Successors", f.successor);
  if (!f.warnings.empty()) {
    write_section_title(out, indent, "Warnings");
    write_wrapped(out, f.warnings, 70, indent);
  }
  if (!f.attention.empty()) {
    write_section_title(out, indent, "Notes");
    write_wrapped(out, f.attention, 70, indent);
  }
  out.put("%s\"\"\"\n", indent.c_str());
}

void write_inputs(Writer& out, const PyFunction& f, const std::string& indent) {
  int object_number = 1;
  int tuple_number = 0;
  for (size_t i = 0; i < f.inputs.size(); ++i) {
    const PyParameter& p = f.inputs[i];
    const char* name = static_cast<int>(i) == f.instance ? "self" : p.name.c_str();
    switch (p.kind) {
      case PyKind::iconic_object:
        out.put("%s    proc.set_input_object(%d, %s)\n", indent.c_str(), object_number++, name);
        break;
      case PyKind::plain:
      case PyKind::handle:
        out.put("%s    proc.set_input_tuple(%d, %s)\n", indent.c_str(), tuple_number++, name);
        break;
      case PyKind::fixed_size_sem_tuple:
      case PyKind::sem_tuple:
        if (p.multiplicity == PyMultiplicity::single) {
          out.put("%s    proc.set_input_tuple(%d, %s.as_sequence())\n", indent.c_str(),
                  tuple_number++, name);
        } else if (static_cast<int>(i) == f.instance) {
          // A method is called on one instance: a sequence of one.
          out.put("%s    proc.set_input_tuple(%d, sem_tuples_to_sequence([self]))\n",
                  indent.c_str(), tuple_number++);
        } else if (p.multiplicity == PyMultiplicity::maybe_sequence) {
          // One value or a sequence of them; the runtime flattens sequences.
          out.put("%s    proc.set_input_tuple(%d, sem_tuples_to_sequence(\n"
                  "%s        %s if isinstance(%s, Sequence) else [%s]))\n",
                  indent.c_str(), tuple_number++, indent.c_str(), name, name, name);
        } else {
          out.put("%s    proc.set_input_tuple(%d, sem_tuples_to_sequence(%s))\n", indent.c_str(),
                  tuple_number++, name);
        }
        break;
    }
  }
}

void write_outputs(Writer& out, const PyFunction& f, const std::string& indent,
                   const std::string& module, const PyLayout& layout) {
  int tuple_number = 0;
  for (const PyParameter& p : f.outputs) {
    if (p.kind != PyKind::iconic_object) {
      out.put("%s    proc.init_oct(%d)\n", indent.c_str(), tuple_number++);
    }
  }
  out.put("%s    proc.execute()\n", indent.c_str());
  if (f.outputs.empty()) return;

  std::vector<std::string> values;
  int object_number = 1;
  tuple_number = 0;
  for (const PyParameter& p : f.outputs) {
    int number = p.kind == PyKind::iconic_object ? object_number++ : tuple_number++;
    values.push_back(output_value(p, number, module, layout));
  }
  if (f.outputs.size() == 1) {
    out.put("%s    %s = ", indent.c_str(), f.outputs[0].name.c_str());
    out.write(values[0]);
    out.write("\n");
    out.put("%s    return %s  # type: ignore\n", indent.c_str(), f.outputs[0].name.c_str());
    return;
  }
  out.put("%s    return (\n%s        ", indent.c_str(), indent.c_str());
  for (size_t i = 0; i < values.size(); ++i) {
    out.write(values[i]);
    if (i + 1 < values.size()) {
      out.put(",  # %s\n%s        ", f.outputs[i].name.c_str(), indent.c_str());
    }
  }
  // three blanks before the last comment, as required
  out.put("   # %s\n%s    )  # type: ignore\n", f.outputs.back().name.c_str(), indent.c_str());
}

void write_module_import(Writer& out, const std::string& indent, const std::string& name,
                         const std::string& converters) {
  out.put("%sfrom . import %s\n", indent.c_str(), name.c_str());
  if (!converters.empty()) {
    out.put("%sfrom .%s import %s_from_raw_s, %s_from_raw_m\n", indent.c_str(), name.c_str(),
            converters.c_str(), converters.c_str());
  }
}

void write_function(Writer& out, const PyFunction& f, const std::string& def_indent,
                    const std::string& body_indent, const std::string& module,
                    const PyLayout& layout) {
  write_signature(out, f, def_indent, layout, module);
  write_docstring(out, f, body_indent, layout, module);
  out.put("%swith VornixOperator(%zu) as proc:\n", body_indent.c_str(), f.proc_number);
  write_inputs(out, f, body_indent);
  write_outputs(out, f, body_indent, module, layout);
}
