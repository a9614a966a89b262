// The class files of the manual: classes.xml describes every class of the
// C++, COM and .NET class lists (name, description, base class and the
// members grouped into constructors, destructor or finalizer, and methods),
// class_list.xml only names the interfaces that have each class. A class
// whose C++ or .NET members have array variants gets a second entry
// "<class>Array" with those members.
#include <set>

#include "classes/handle_types.h"
#include "gen/manual/manual_writers.h"
#include "driver/diagnostics.h"
#include "driver/name_style.h"
#include "gen/com/com_names.h"

namespace {

struct Family {
  const char* interface_name;
  const ClassModel* model;
  const char* destructor_group;  // "destructor" or, for .NET, "finalizer"
};

std::string class_name_in(const Family& family, int type) {
  if (family.model->iface == class_interface_com) return com_name(type);
  return type_class_name(type);
}

bool has_array_variants(const ClassRecord& record) {
  for (const auto* list : {&record.constructors, &record.methods})
    for (const ClassMethod& method : *list)
      if (method.array_variant) return true;
  return false;
}

// The members of a group: one per operator in the class entry (its string
// and array variants are left out), only the array variants in the array
// entry.
std::vector<const ClassMethod*> group_members(const std::vector<ClassMethod>& methods,
                                              bool array_entry) {
  std::vector<const ClassMethod*> members;
  const Operator* previous = nullptr;
  for (const ClassMethod& method : methods) {
    if (array_entry) {
      if (method.array_variant) members.push_back(&method);
      continue;
    }
    if (method.op == previous) continue;
    previous = method.op;
    members.push_back(&method);
  }
  return members;
}

void write_member_group(Writer& out, const char* group, const char* signature_type,
                        const std::vector<const ClassMethod*>& members,
                        const std::string& class_name, const std::string& class_id) {
  if (members.empty()) return;
  out.put("      <member_group type=\"%s\">\n", group);
  for (const ClassMethod* method : members) {
    out.put("        <signature type=\"%s\" class_name=\"%s\" class_id=\"%s\" id=\"%s\" "
            "name=\"%s\">\n",
            signature_type, Escaped(class_name).c_str(), Escaped(class_id).c_str(),
            Escaped(method->name).c_str(),
            Escaped(name_style(method->name, style_camel)).c_str());
    out.write("          <summary>");
    convert_markup(out, method->short_description, false);
    out.write("</summary>\n");
    out.write("        </signature>\n");
  }
  out.write("      </member_group>\n");
}

const std::string* class_description(const ClassRecord& record) {
  if (const ClassDescription* info = type_class_info(record.type)) {
    if (const std::string* text = manual_text(info->descriptions)) return text;
  }
  return record.description.empty() ? nullptr : &record.description;
}

void write_class_description(Writer& out, const Family& family, const ClassRecord& record,
                             bool array_entry) {
  std::string class_id = record.class_name() + (array_entry ? "Array" : "");
  std::string name = class_name_in(family, record.type) + (array_entry ? "Array" : "");
  out.put("    <syntax interface=\"%s\">\n", family.interface_name);
  out.put("    <name>%s</name>\n", Escaped(name).c_str());
  out.write("    <description>");
  if (const std::string* text = class_description(record)) {
    convert_markup(out, *text, false);
  } else {
    out.write("&lt;no description&gt;");
  }
  out.write("</description>\n");
  if (record.base_type >= 0) {
    out.put("    <base id=\"%s\" name=\"%s\"/>\n",
            Escaped(type_class_name(record.base_type)).c_str(),
            Escaped(class_name_in(family, record.base_type)).c_str());
  }
  out.write("    <members>\n");
  write_member_group(out, "constructors", "constructor",
                     group_members(record.constructors, array_entry), name, class_id);
  if (record.destructor && !array_entry) {
    write_member_group(out, family.destructor_group, family.destructor_group,
                       {&*record.destructor}, name, class_id);
  }
  write_member_group(out, "methods", "method", group_members(record.methods, array_entry), name,
                     class_id);
  out.write("    </members>\n");
  out.write("    </syntax>\n");
}

}  // namespace

ClassFiles class_files_xml(const ManualRun& run) {
  const Family families[] = {{"cpp", run.classes.cpp.get(), "destructor"},
                             {"com", run.classes.com.get(), "destructor"},
                             {"dotnet", run.classes.dotnet.get(), "finalizer"}};
  std::set<int> types;
  for (const Family& family : families)
    for (const ClassRecord& record : family.model->classes) types.insert(record.type);

  ClassFiles files;
  Writer classes;
  Writer list;
  write_xml_head(classes, "classes");
  write_document_element(classes);
  write_xml_head(list, "classes");
  write_document_element(list);
  for (int type : types) {
    for (bool array_entry : {false, true}) {
      std::vector<std::pair<const Family*, const ClassRecord*>> present;
      for (const Family& family : families) {
        const ClassRecord* record = family.model->find(type);
        if (record == nullptr) continue;
        if (array_entry && !has_array_variants(*record)) continue;
        present.emplace_back(&family, record);
      }
      if (present.empty()) continue;
      std::string id = type_class_name(type) + (array_entry ? "Array" : "");
      files.ids.push_back(id);
      if (!array_entry && class_description(*present.front().second) == nullptr)
        files.undescribed.push_back(type_class_name(type));
      classes.put("  <class id=\"%s\">\n", Escaped(id).c_str());
      list.put("  <class id=\"%s\">\n", Escaped(id).c_str());
      for (const auto& [family, record] : present) {
        write_class_description(classes, *family, *record, array_entry);
        list.put("    <syntax interface=\"%s\"/>\n", family->interface_name);
      }
      classes.write("  </class>\n");
      list.write("  </class>\n");
    }
  }
  classes.put("</%s>\n", "classes");
  list.put("</%s>\n", "classes");
  files.classes = classes.text();
  files.class_list = list.text();
  return files;
}
