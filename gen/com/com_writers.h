/// The writers of the COM interface's files, each into an open Writer, in
/// the order the entry calls them. Class identifiers come from the class
/// information of each class's row (the entry checks that every class has
/// it before anything is written).
#pragma once

#include <string>

#include "classes/class_model.h"
#include "driver/output.h"
#include "gen/com/com_names.h"

/// The class information of a class (never null once the entry's check
/// has passed).
const ClassDescription& class_ids(const ClassRecord& record);

// module_files.cpp
/// "comint_gen_classes.mak": the object file of every class.
void write_makefile_list(Writer& out, const ClassModel& model);
/// "<package>X.cpp": includes, object map and the in-process server entry
/// points of an extension package.
void write_module_source(Writer& out, const ComBuild& build, const ClassModel& model);
/// "VornixXClasses.h": one include per class.
void write_class_includes(Writer& out, const ClassModel& model);
/// "vornixx_entries.h": one object-map entry per class.
void write_object_entries(Writer& out, const ClassModel& model);
/// A module definition file of the module "<name>".
void write_module_definition(Writer& out, const std::string& module);

// idl_file.cpp
/// The interface definitions: one dual interface per class, then the
/// library block with one coclass per class.
void write_idl(Writer& out, const ComBuild& build, const ClassModel& model);
/// One interface block (attributes, fixed members, methods).
void write_idl_interface(Writer& out, const ClassRecord& record);

// resource_files.cpp
/// "resource.h": the project string and one registry resource per class.
void write_resource_header(Writer& out, const ComBuild& build, const ClassModel& model);
/// The resource script: version block, registry scripts, string table,
/// type library.
void write_resource_script(Writer& out, const ComBuild& build, const ClassModel& model);

// registry_scripts.cpp
/// "<COM name>.rgs": ProgIDs and class registration of one class.
void write_registry_script(Writer& out, const std::string& name, const std::string& class_id);
/// The clean-up list: ProgIDs, CLSID and interface keys of every class.
void write_cleanup_entries(Writer& out, const ClassModel& model);

// class_header.cpp
/// "<COM name>.h": the ATL class declaration.
void write_class_header(Writer& out, const ComBuild& build, const ClassRecord& record);

// class_source.cpp
/// "<COM name>.cpp": the ATL class implementation.
void write_class_source(Writer& out, const ComBuild& build, const ClassRecord& record);
/// The parameter list of a method as the class header and source declare
/// it (outputs with one more "*"), each parameter on its own line.
void write_method_parameters(Writer& out, const ClassMethod& method);
/// One method: signature and call through the library.
void write_method_body(Writer& out, const ComBuild& build, const ClassRecord& record,
                       const ClassMethod& method);
