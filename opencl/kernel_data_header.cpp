// Writes the kernel data header VOpenCLKernel.h: every kernel source as a
// compressed byte array, then the file, kernel, dependency and operator
// tables that tie them together.
#include <map>

#include "driver/diagnostics.h"
#include "opencl/kernel_writers.h"

namespace {

std::string without_cl(const std::string& file_name) {
  return file_name.substr(0, file_name.size() - 3);
}

/// The text of a C string literal (without its quotes) whose value is text.
std::string c_string_body(const std::string& text) {
  std::string body;
  for (char c : text) {
    if (c == '"' || c == '\\') {
      body += '\\';
      body += c;
    } else if (c == '\n') {
      body += "\\n";
    } else {
      body += c;
    }
  }
  return body;
}

/// The compressed bytes 15 to a line, each line led by a blank, each byte as
/// "0x%x" (with a leading zero below 16) and followed by "," but the last.
void write_byte_array(Writer& out, const KernelSource& source) {
  static const char hex_digits[] = "0123456789abcdef";
  out.put("static unsigned char c_%s[] = {\n", source.array_name.c_str());
  // Built as one text: the arrays make up nearly all of the header.
  const std::vector<unsigned char>& bytes = source.compressed;
  std::string text;
  text.reserve(bytes.size() * 5 + bytes.size() / 15 * 2 + 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 15 == 0) text += ' ';
    const char item[4] = {'0', 'x', hex_digits[bytes[i] >> 4], hex_digits[bytes[i] & 15]};
    text.append(item, 4);
    if (i + 1 < bytes.size()) text += ',';
    if (i % 15 == 14 || i + 1 == bytes.size()) text += '\n';
  }
  out.write(text);
  out.write(" };\n\n");
}

/// Entries are separated by ",\n"; the last ends with "\n".
void end_entry(Writer& out, size_t index, size_t count) {
  out.write(index + 1 < count ? ",\n" : "\n");
}

void write_file_table(Writer& out, const KernelTables& tables, const KernelSources& sources) {
  out.put("static KernelFileInfo  OCLKernelFileInfo[%d] = {\n",
          static_cast<int>(tables.files.size()));
  for (size_t i = 0; i < tables.files.size(); ++i) {
    const KernelFile& file = tables.files[i];
    const KernelSource& source = sources.sources[static_cast<size_t>(sources.source_of_file[i])];
    out.put("  {\"%s\",\n", source.name.c_str());
    out.put("   c_%s,\n", source.array_name.c_str());
    out.put("   %d,\n", static_cast<int>(source.compressed.size()));
    if (file.has_compile_flags) {
      out.put("   \"%s\",\n", c_string_body(file.compile_flags).c_str());
    } else {
      out.write("   NULL,\n");
    }
    if (file.has_extensions && !file.extensions.empty()) {
      out.write("   ");
      for (size_t e = 0; e < file.extensions.size(); ++e) {
        if (e > 0) out.write(" | ");
        out.write(extension_define(file.extensions[e]));
      }
      out.write(",\n");
    } else {
      out.write("   0,\n");
    }
    out.put("   &OCLKernelInfo[%d]}", file.first_kernel);
    end_entry(out, i, tables.files.size());
  }
  out.write("};\n\n");
}

void write_kernel_table(Writer& out, const KernelTables& tables) {
  out.put("static KernelInfo  OCLKernelInfo[%d] = {\n", static_cast<int>(tables.kernels.size()));
  for (size_t i = 0; i < tables.kernels.size(); ++i) {
    const Kernel& kernel = tables.kernels[i];
    out.put("  {\"%s\",\n", kernel.name.c_str());
    out.put("   \"%s\",\n", kernel.vornix_name.c_str());
    out.put("   e%s,\n", kernel.vornix_name.c_str());
    // A block size left at 0 is written as 1.
    out.put("   %d,\n", kernel.default_block_width != 0 ? kernel.default_block_width : 1);
    out.put("   %d,\n", kernel.default_block_height != 0 ? kernel.default_block_height : 1);
    if (kernel.has_block_width_define) {
      out.put("   \"%s\",\n", kernel.block_width_define.c_str());
    } else {
      out.write("   0,\n");
    }
    if (kernel.has_block_height_define) {
      out.put("   \"%s\",\n", kernel.block_height_define.c_str());
    } else {
      out.write("   0,\n");
    }
    if (kernel.next >= 0) {
      out.put("   &OCLKernelInfo[%d],\n", kernel.next);
    } else {
      out.write("   NULL,\n");
    }
    out.put("   &OCLKernelFileInfo[%d]}", kernel.file);
    end_entry(out, i, tables.kernels.size());
  }
  out.write("};\n\n");
}

/// The pairs are sorted by operator name: each entry points to the next one
/// of the same operator.
void write_dependency_table(Writer& out, const KernelTables& tables) {
  const std::vector<OperatorDependency>& pairs = tables.dependencies;
  out.put("static KernelDep  OCLKernelDep[%d] = {\n", static_cast<int>(pairs.size()));
  for (size_t i = 0; i < pairs.size(); ++i) {
    out.put("  {&OCLKernelInfo[%d],\n", pairs[i].kernel);
    if (i + 1 < pairs.size() && pairs[i + 1].operator_name == pairs[i].operator_name) {
      out.put("   &OCLKernelDep[%d]}", static_cast<int>(i + 1));
    } else {
      out.write("   NULL}");
    }
    end_entry(out, i, pairs.size());
  }
  out.write("};\n\n");
}

/// One entry per distinct operator, pointing to its first pair.
void write_operator_table(Writer& out, const KernelTables& tables) {
  const std::vector<OperatorDependency>& pairs = tables.dependencies;
  std::vector<size_t> first_pairs;
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (i == 0 || pairs[i].operator_name != pairs[i - 1].operator_name) first_pairs.push_back(i);
  }
  out.put("static OpKernelDep  OCLOpKernelDep[%d] = {\n", static_cast<int>(first_pairs.size()));
  for (size_t n = 0; n < first_pairs.size(); ++n) {
    out.put("  {\"%s\",\n", pairs[first_pairs[n]].operator_name.c_str());
    out.put("   &OCLKernelDep[%d]}", static_cast<int>(first_pairs[n]));
    end_entry(out, n, first_pairs.size());
  }
  out.write("};\n\n");
  out.put("#define NUM_OP_DEP %d\n\n", static_cast<int>(first_pairs.size()));
}

}  // namespace

bool collect_kernel_sources(const KernelTables& tables, KernelSources& sources) {
  sources.sources.clear();
  sources.source_of_file.clear();
  std::map<std::string, int> by_name;
  std::map<std::string, std::string> name_of_array;
  for (const KernelFile& file : tables.files) {
    std::string name = without_cl(file.name);
    auto found = by_name.find(name);
    if (found != by_name.end()) {
      sources.source_of_file.push_back(found->second);
      continue;
    }
    KernelSource source;
    source.name = name;
    source.array_name = name;
    for (char& c : source.array_name) {
      if (c == '-') c = '_';
    }
    auto taken = name_of_array.find(source.array_name);
    if (taken != name_of_array.end()) {
      report_error("the kernel files \"%s.cl\" and \"%s.cl\" would share the array c_%s\n",
                   taken->second.c_str(), name.c_str(), source.array_name.c_str());
      return false;
    }
    name_of_array[source.array_name] = name;
    by_name[name] = static_cast<int>(sources.sources.size());
    sources.source_of_file.push_back(static_cast<int>(sources.sources.size()));
    sources.sources.push_back(source);
  }
  return true;
}

void write_kernel_data_header(Writer& out, const KernelTables& tables,
                              const KernelSources& sources) {
  out.write("#ifndef VOPENCLKERNEL_H\n");
  out.write("#define VOPENCLKERNEL_H\n");
  out.write("#ifndef VC_NO_COMPUTE_DEVICES\n");
  out.write("#include \"vlib/VOpenCLKernelList.h\"\n");
  for (const KernelSource& source : sources.sources) write_byte_array(out, source);
  out.put("static KernelInfo  OCLKernelInfo[%d];\n", static_cast<int>(tables.kernels.size()));
  write_file_table(out, tables, sources);
  write_kernel_table(out, tables);
  write_dependency_table(out, tables);
  write_operator_table(out, tables);
  out.write("#endif\n");
  out.write("#endif\n");
}
