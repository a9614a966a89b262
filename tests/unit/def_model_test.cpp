// The model that parsing builds: counts, derived flags and summaries, pushed
// list orders, documentation blocks in other languages, classes and the
// library, expressions, test mode and the library-build order. The model is
// one per process, so each case parses in a child process of its own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "classes/handle_types.h"
#include "def/def_parser_api.h"
#include "def/operator_model.h"
#include "def/operator_slots.h"
#include "driver/def_files.h"
#include "driver/generators.h"
#include "driver/settings.h"

template <typename P>
bool operator==(const Tagged<P>& a, const Tagged<P>& b) {
  return a.language == b.language && a.value == b.value;
}

namespace {

int failures = 0;

std::string show(const std::string& s) { return "\"" + s + "\""; }
std::string show(long long v) { return std::to_string(v); }
std::string show(const std::vector<int>& list) {
  std::string out;
  for (int v : list) out += std::to_string(v) + " ";
  return out;
}
std::string show(const TextList& list) {
  std::string out = "[";
  for (const std::string& s : list) out += (out.size() > 1 ? ", " : "") + show(s);
  return out + "]";
}
template <typename P>
std::string show(const TaggedList<P>& list) {
  std::string out = "[";
  for (const auto& entry : list) out += (out.size() > 1 ? ", " : "") + entry.language + ":" + show(entry.value);
  return out + "]";
}

template <typename A, typename B>
void check_equal(const A& actual, const B& expected, const char* what, int line) {
  if (actual == expected) return;
  ++failures;
  std::cerr << "line " << line << ": " << what << " is " << show(actual) << ", expected "
            << show(expected) << "\n";
}
#define CHECK(actual, expected) check_equal((actual), (expected), #actual, __LINE__)

template <typename P>
TaggedList<P> tagged(std::initializer_list<std::pair<const char*, P>> entries) {
  TaggedList<P> list;
  for (const auto& e : entries) list.push_back(Tagged<P>{e.first, e.second});
  return list;
}

const Operator& op(const char* name) {
  auto found = model().by_name.find(name);
  if (found == model().by_name.end()) {
    std::cerr << "operator " << name << " not in the model\n";
    std::exit(2);
  }
  return *found->second;
}

const Parameter& param(const Operator& o, const char* name) {
  for (const Parameter& p : o.info->params)
    if (p.name == name) return p;
  std::cerr << "parameter " << name << " not in " << o.name << "\n";
  std::exit(2);
}

// Parses the files (generator mode 1 writes nothing), runs the checks and
// ends the child with status 0 when all of them held.
void parse_and_check(const std::vector<std::string>& files, const std::function<void(Settings&)>& configure,
                     const std::function<void()>& checks) {
  // Earlier tests in this process may have read command lines.
  mutable_settings() = Settings();
  Settings& s = mutable_settings();
  s.generator_mode = 1;
  s.warnings_suppressed = true;
  for (const std::string& f : files) s.def_files.push_back({f, false});
  configure(s);
  init_handle_types(s.package_name);
  open_next_def_file();
  if (parse_definition_files() != 0) {
    std::cerr << "parse failed\n";
    std::exit(3);
  }
  checks();
  std::exit(failures == 0 ? 0 : 1);
}

std::string temp_def(const std::string& text) {
  char name[] = "/tmp/vornc-def-model-XXXXXX";
  int fd = mkstemp(name);
  close(fd);
  std::ofstream(name, std::ios::binary) << text;
  return name;
}

std::vector<std::string> corpus() {
  std::string dir = std::string(VORNC_TESTS_DIR) + "/corpus/";
  return {dir + "library.def", dir + "filters.def", dir + "regions.def", dir + "shape_models.def",
          dir + "xld.def", dir + "file_io.def", dir + "docs_de.def"};
}

void no_settings(Settings&) {}

TEST(DefinitionModel, CorpusDeclarationsAndDerivedFlags) {
  EXPECT_EXIT(parse_and_check(corpus(), no_settings, [] {
    const Operator& t = op("threshold");
    CHECK(std::vector<int>(t.counts, t.counts + 4), (std::vector<int>{1, 1, 2, 0}));
    CHECK(t.input_control_flags.value_or("none"), "FF");
    CHECK(t.output_control_flags.has_value(), false);
    CHECK(param(t, "MinGray").multivalue, "optional");
    CHECK(param(t, "MinGray").default_type, "real");
    CHECK(t.info->control_multivalue, "optional");
    CHECK(t.info->output_multivalue, "false");
    CHECK(t.info->module, 0);
    CHECK(t.info->category, 0);
    CHECK(t.info->def_file, corpus()[2]);
    CHECK(t.info->line, 3);

    const Operator& area = op("area_center");
    CHECK(area.output_control_flags.value_or("none"), "IFF");
    CHECK(area.info->output_multivalue, "true");
    CHECK(area.info->control_multivalue, "true");

    const Operator& create = op("create_shape_model");
    CHECK(create.input_control_flags.value_or("none"), "iffSSi");
    CHECK(param(create, "Metric").default_type, "string");
    CHECK(create.output_control_flags.value_or("none"), "h");
    CHECK(create.info->has_handle_parameter, 1);
    CHECK(create.info->control_multivalue, "optional");

    const Operator& clear = op("clear_shape_model");
    CHECK(clear.input_control_flags.value_or("none"), "H");
    CHECK(clear.info->control_multivalue, "true");
    CHECK(clear.info->par.exclusively, true);

    CHECK(op("gen_rectangle2").input_control_flags.value_or("none"), "FFFFF");
    CHECK(op("smallest_rectangle2").output_control_flags.value_or("none"), "FFFFF");
    CHECK(op("connection").input_control_flags.has_value(), false);
    CHECK(op("sub_image").input_control_flags.value_or("none"), "FF");
    CHECK(op("gauss_filter").input_control_flags.value_or("none"), "I");
    CHECK(param(op("gauss_filter"), "Size").default_type, "integer");
  }), ::testing::ExitedWithCode(0), "");
}

TEST(DefinitionModel, CorpusSlotValues) {
  EXPECT_EXIT(parse_and_check(corpus(), no_settings, [] {
    const Operator& abs = op("abs_diff_image");
    CHECK(abs.info->short_descriptions,
          tagged<std::string>({{"german", "Berechnen der absoluten Differenz zweier Bilder."},
                               {"english", "Calculate the absolute difference of two images."}}));
    CHECK(abs.info->chapters, tagged<TextList>({{"german", {"Filter", "Arithmetik"}},
                                                {"english", {"Filters", "Arithmetic"}}}));
    CHECK(abs.info->keywords,
          tagged<TextList>({{"german", {"absolute Differenz", "Bildsubtraktion"}},
                            {"english", {"absolute difference", "image subtraction", "arithmetic"}}}));
    CHECK(abs.info->examples.size(), 2u);
    CHECK(abs.info->examples[0].language, "c++");
    CHECK(abs.info->examples[0].value, "VImage diff = image1.AbsDiffImage(image2, 1.0);");
    CHECK(abs.info->examples[1].language, "trias");
    CHECK(abs.info->result[0].value,
          "The operator returns 2 (TRUE) if all parameters are correct.\n"
          "If the input is empty the behaviour can be set via set_system.");
    CHECK(abs.info->functionality, TextList{"image.arithmetic"});
    CHECK(abs.info->see_also, (TextList{"sub_image", "mean_image"}));
    CHECK(abs.info->alternatives, TextList{"sub_image"});
    CHECK(abs.info->dynamic_modules, 1u);
    CHECK(abs.info->new_in_version, 12 << 24);
    CHECK(abs.info->par.methods.size(), 3u);
    CHECK(abs.info->par.methods[0].name, "split_tuple");
    CHECK(abs.info->par.methods[0].params, (TextList{"Image1", "Image2"}));
    CHECK(abs.info->par.methods[1].params, TextList{});
    CHECK(abs.info->par.compute_devices, TextList{"opencl"});
    CHECK(abs.info->par.interrupt_mode, 0u);
    const Parameter& mult = param(abs, "Mult");
    CHECK(mult.values, (TextList{"1.0", "2.0", "3.0", "4.0"}));
    CHECK(mult.value_max, "1e3");
    CHECK(mult.extras().value_function, "lin");
    CHECK(mult.assertion, (TextList{"Mult", "0", "\\GT", "Mult", "1000", "\\LE", "\\AND"}));
    CHECK(param(abs, "Image1").extras().cd_type_list, (TextList{"byte", "uint2", "real"}));

    const Operator& mean = op("mean_image");
    CHECK(mean.info->par.interrupt_mode, 3u);
    CHECK(mean.info->par.region_postprocessing, "region_concat");
    CHECK(mean.info->par.compute_devices, (TextList{"opencl", "object"}));
    CHECK(mean.info->flags, (TextList{"transparent", "no_trace"}));
    CHECK(param(mean, "MaskWidth").extras().value_number,
          (TextList{"MaskWidth", "odd", "MaskWidth", "Image", "width", "2", "\\MUL", "\\LT", "\\AND"}));
    CHECK(param(mean, "MaskHeight").extras().value_number,
          (TextList{"MaskHeight", "1", "\\SUB", "0", "\\GE", "MaskHeight", "2", "\\MOD", "0", "\\EQ",
                    "\\NOT", "\\AND"}));
    CHECK(param(mean, "MaskWidth").extras().cd_value_list, (TextList{"3", "5", "7", "9", "11"}));
    CHECK(param(mean, "MaskWidth").extras().costs_weight, 4);
    CHECK(param(op("edges_sub_pix"), "High").assertion,
          (TextList{"High", "0", "\\GT", "High", "Low", "\\GE", "High", "\\NEG", "0", "\\LT", "\\OR",
                    "\\AND"}));
    CHECK(param(op("edges_sub_pix"), "Edges").extras().postprocessing,
          (TextList{"xld_concat", "xld_sort"}));

    CHECK(op("gauss_filter").info->dynamic_modules, 1u | (1u << 8));
    CHECK(op("gauss_filter").info->new_in_version, (12 << 24) + (1 << 16) + 2);
    CHECK(op("gen_contour_polygon_xld").info->new_in_version, (12 << 24) + (1 << 16));
    CHECK(param(op("gen_contour_polygon_xld"), "Row").default_value, "[0,1,2,2,2]");
    CHECK(op("sub_image").info->par.exclusively_none, true);
    CHECK(op("sub_image").info->par.domain_split, 1);
    CHECK(op("zoom_region").info->feature_toggles, TextList{"region_zoom_v2"});

    const Operator& read = op("read_image");
    CHECK(read.info->references,
          "R. C. Gonzalez, R. E. Woods: Digital Image Processing; 4th\nedition, Pearson, 2018.");
    CHECK(read.info->functionality, (TextList{"image.read", "filename"}));
    const Parameter& file = param(read, "FileName");
    CHECK(file.extras().file_ext, (TextList{"tif", "tiff", "png", "jpg", "bmp"}));
    CHECK(file.extras().file_ext_descr.size(), 2u);
    CHECK(file.extras().file_ext_descr[0].language, "german");
    CHECK(file.sem_type, "filename.read");
    const Parameter& levels = param(op("create_shape_model"), "NumLevels");
    CHECK(levels.default_value, "'auto'");
    CHECK(levels.values.front(), "'auto'");
    CHECK(levels.extras().mixed_type, "true");
  }), ::testing::ExitedWithCode(0), "");
}

TEST(DefinitionModel, CorpusDocumentationBlocksClassesAndLibrary) {
  EXPECT_EXIT(parse_and_check(corpus(), no_settings, [] {
    const Operator& find = op("find_shape_model");
    CHECK(find.info->short_descriptions.size(), 3u);
    CHECK(find.info->short_descriptions[0].language, "japanese");
    CHECK(find.info->short_descriptions[1].language, "german");
    CHECK(find.info->chapters[0].language, "german");
    CHECK(find.info->chapters[0].value, (TextList{"Matching", "Form"}));
    const Parameter& model_id = param(find, "ModelID");
    CHECK(model_id.descriptions.size(), 3u);
    CHECK(model_id.descriptions[1].language, "german");
    CHECK(model_id.descriptions[1].value, "Handle des Modells.");

    const Operator& t = op("threshold");
    CHECK(t.info->short_descriptions[0].language, "german");
    CHECK(t.info->chapters[0].value, (TextList{"Segmentierung", "Schwellwert"}));
    CHECK(param(t, "MaxGray").descriptions[0].value, "Obere Schwelle f\"ur die Grauwerte.");

    // Every record goes into the list once: 18 operators, 5 chapter entries.
    CHECK(model().list().size(), 23u);
    CHECK(model().star_entries.size(), 5u);
    const Operator* last_chapter = model().star_entries.front();
    CHECK(last_chapter->name, "*");
    CHECK(last_chapter->info->chapters[0].value, (TextList{"Matching", "Shape"}));
    CHECK(last_chapter->info->short_descriptions[0].language, "german");
    CHECK(model().star_entries[1]->info->chapters[0].value, (TextList{"File", "Images"}));

    const ClassDescription* shape = type_class_info(GiveClass("shape_model", 0));
    if (shape == nullptr) std::exit(4);
    CHECK(shape->descriptions.size(), 4u);
    CHECK(shape->descriptions[0].language, "german");
    CHECK(shape->descriptions[0].value, "Handle eines Formmodells.");
    CHECK(shape->descriptions[1].value,
          "Handle of a shape model; created by\n  \\OpRef{create_shape_model} and used by "
          "\\OpRef{find_shape_model}.");
    CHECK(shape->descriptions[3].value, "Shape model for matching with rotation and scaling.");
    CHECK(shape->interface_id.value_or(""), "b7e2c9a1-0d4f-4e6b-8a3c-5f1e2d9b7c60");
    CHECK(type_class_info(GiveClass("ncc_model", 0)) != nullptr, true);
    CHECK(model().library.english_description, "VORNIX machine vision library");
    CHECK(model().library.library_id, "4a1c0d2e-6b3f-4c8a-9e21-7f5d3b2a1c90");
    CHECK(model().library.version_major, "23");
    CHECK(model().library.version_minor, "5");
  }), ::testing::ExitedWithCode(0), "");
}

TEST(DefinitionModel, TestModeMakesPlaceholdersOnce) {
  std::string file = temp_def(
      "ghost <- de_DE\nshort: Geist.;\nparameter_descriptions\n  Radius: Radius.;\n;\n"
      "ghost <- en_US\nshort: Ghost.;\n"
      "real_op <- CReal[:::];\nreal_op <- de_DE\nshort: Echt.;\nreal_op <- de_DE\nshort: Echt 2.;\n"
      "class_descriptions\n  ncc_model: NCC-Modell.;\n;\n");
  EXPECT_EXIT(parse_and_check({file}, [](Settings& s) { s.test_mode = true; }, [] {
    CHECK(model().list().size(), 2u);
    const Operator& ghost = op("ghost");
    CHECK(ghost.function, "test");
    CHECK(ghost.info->chapters, tagged<TextList>({{"german", {"Test"}}, {"english", {"Test"}}}));
    CHECK(ghost.info->short_descriptions,
          tagged<std::string>({{"english", "Ghost."}, {"german", "Geist."}}));
    CHECK(ghost.info->params.size(), 1u);
    CHECK(ghost.info->params[0].kind, "input_control");
    CHECK(op("real_op").info->short_descriptions.size(), 2u);
    const ClassDescription* ncc = type_class_info(GiveClass("ncc_model", 0));
    CHECK(ncc != nullptr && ncc->descriptions[0].value == "NCC-Modell.", true);
  }), ::testing::ExitedWithCode(0), "");
}

TEST(DefinitionModel, DocumentationBlockAddsNoRecordOutsideTestMode) {
  std::string file = temp_def("a_op <- CA[:::];\na_op <- de_DE\nshort: A.;\na_op <- de_DE\nshort: B.;\n");
  EXPECT_EXIT(parse_and_check({file}, no_settings, [] {
    CHECK(model().list().size(), 1u);
    CHECK(op("a_op").info->short_descriptions,
          tagged<std::string>({{"german", "B."}, {"german", "A."}}));
  }), ::testing::ExitedWithCode(0), "");
}

TEST(DefinitionModel, ModuleNoneSetsNoDynamicModuleBit) {
  std::string file = temp_def("a_op <- CA[:::];\nmodule: none;\ndynamic_modules: none;\n");
  EXPECT_EXIT(parse_and_check({file}, [](Settings& s) { s.generation_target = target_library; }, [] {
    CHECK(op("a_op").info->module, 32);
    CHECK(op("a_op").info->dynamic_modules, 0u);
  }), ::testing::ExitedWithCode(0), "");
}

TEST(DefinitionModel, LibraryBuildOrder) {
  std::string file = temp_def(
      "c_op <- CC[:::];\nnew_in_version: 13.0;\n"
      "zoom_region <- CZoom[:::];\n"
      "b_op <- CB[:::];\nnew_in_version: 12.0;\n"
      "abs_diff_image <- CAbs[:::];\n"
      "a_op <- CA[:::];\nnew_in_version: 12.0;\n");
  EXPECT_EXIT(parse_and_check({file}, [](Settings& s) { s.generation_target = target_library; }, [] {
    mutable_settings().generator_mode = mode_operator_table;
    OperatorList ops = select_operators(model());
    std::vector<std::string> names;
    for (const Operator* o : ops) names.push_back(o->name);
    CHECK(names, (TextList{"zoom_region", "abs_diff_image", "a_op", "b_op", "c_op"}));
    CHECK(ops[0]->fixed_number, 493);
    CHECK(ops[1]->fixed_number, 1622);
    CHECK(ops[2]->fixed_number, -1);
  }), ::testing::ExitedWithCode(0), "");
}

TEST(DefinitionModel, SmallCases) {
  std::string file = temp_def(
      "empty_op <- CEmpty[:::];\n"
      "expr_op <- CExpr[Img::a,b,c:R];\n"
      "parallelization\n  process_exclusively: none;\n  interrupt_mode: break, none;\n"
      "  method: split_domain;\n"
      "parameter Img: input_object;\n  type_list: byte;\n"
      "parameter a: input_control;\n  default_type: real;\n  multivalue: true;\n"
      "  value_number: a + b * c;\n  assertion: a - b - c;\n"
      "parameter b: input_control;\n  default_type: handle;\n  multivalue: false;\n"
      "parameter c: input_control;\n  default_type: string;\n  multivalue: optional;\n"
      "parameter R: output_control;\n  default_type: none;\n  multivalue: optional;\n");
  EXPECT_EXIT(parse_and_check({file}, no_settings, [] {
    const Operator& empty = op("empty_op");
    CHECK(std::vector<int>(empty.counts, empty.counts + 4), (std::vector<int>{0, 0, 0, 0}));
    CHECK(empty.input_control_flags.has_value() || empty.output_control_flags.has_value(), false);
    CHECK(empty.info->params.size(), 0u);

    const Operator& e = op("expr_op");
    CHECK(e.input_control_flags.value_or("none"), "FhS");
    CHECK(e.output_control_flags.value_or("none"), "N");
    CHECK(e.info->has_handle_parameter, 1);
    CHECK(e.info->control_multivalue, "true");
    CHECK(e.info->output_multivalue, "optional");
    CHECK(e.info->par.interrupt_mode, 0u);
    CHECK(e.info->par.exclusively, false);
    CHECK(e.info->par.exclusively_none, true);
    CHECK(e.info->par.methods.size(), 1u);
    CHECK(param(e, "Img").type_list, TextList{"byte"});
    CHECK(param(e, "a").extras().value_number, (TextList{"a", "b", "c", "\\MUL", "\\ADD"}));
    CHECK(param(e, "a").assertion, (TextList{"a", "b", "\\SUB", "c", "\\SUB"}));
  }), ::testing::ExitedWithCode(0), "");
}

// Every parameter slot ends in its own field, the rarely set ones (kept
// apart in ParameterExtras) as well; a parameter that sets none of those
// reads them all empty.
TEST(DefinitionModel, EveryParameterSlotInItsField) {
  std::string file = temp_def(
      "slot_op <- CSlot[Img::Full,Bare:];\n"
      "parameter Img: input_object;\n  sem_type: image;\n  type_list: byte, real;\n"
      "  cd_type_list.opencl: byte, uint2;\n  multichannel: optional;\n"
      "  multiinstance: true;\n  modified: true;\n"
      "parameter Full: input_control;\n  description.english: Full.;\n  sem_type: number;\n"
      "  default_type: integer;\n  multivalue: false;\n  mixed_type: true;\n"
      "  default_value: 3;\n  values: 1, 3, 5;\n  value_list: 1, 3, 5, 7;\n"
      "  cd_value_list.opencl: 3, 5;\n  value_min: 1;\n  value_max: 9;\n"
      "  value_function: log;\n  step_rec: 2;\n  step_min: 0.5;\n"
      "  value_number: Full + 1;\n  assertion: Full > 0;\n  costs_weight: 7;\n"
      "  postprocessing: tuple_add;\n  file_ext: png, tif;\n"
      "  file_ext_descr.english: PNG, TIFF;\n  file_ext_descr.german: PNG-Bild, TIFF-Bild;\n"
      "parameter Bare: input_control;\n  sem_type: number;\n  default_type: real;\n"
      "  multivalue: false;\n");
  EXPECT_EXIT(parse_and_check({file}, no_settings, [] {
    const Operator& o = op("slot_op");
    const ParameterExtras& img = param(o, "Img").extras();
    CHECK(img.cd_type_list, (TextList{"byte", "uint2"}));
    CHECK(img.multichannel, "optional");
    CHECK(img.multiinstance, "true");
    CHECK(img.modified, "true");
    CHECK(param(o, "Img").type_list, (TextList{"byte", "real"}));

    const Parameter& full = param(o, "Full");
    CHECK(full.descriptions, tagged<std::string>({{"english", "Full."}}));
    CHECK(full.sem_type, "number");
    CHECK(full.default_type, "integer");
    CHECK(full.multivalue, "false");
    CHECK(full.default_value, "3");
    CHECK(full.values, (TextList{"1", "3", "5"}));
    CHECK(full.value_list, (TextList{"1", "3", "5", "7"}));
    CHECK(full.value_min, "1");
    CHECK(full.value_max, "9");
    CHECK(full.assertion, (TextList{"Full", "0", "\\GT"}));
    const ParameterExtras& extras = full.extras();
    CHECK(extras.mixed_type, "true");
    CHECK(extras.cd_value_list, (TextList{"3", "5"}));
    CHECK(extras.value_function, "log");
    CHECK(extras.step_rec, "2");
    CHECK(extras.step_min, "0.5");
    CHECK(extras.value_number, (TextList{"Full", "1", "\\ADD"}));
    CHECK(extras.costs_weight, 7);
    CHECK(extras.postprocessing, TextList{"tuple_add"});
    CHECK(extras.file_ext, (TextList{"png", "tif"}));
    CHECK(extras.file_ext_descr, tagged<TextList>({{"german", {"PNG-Bild", "TIFF-Bild"}},
                                                   {"english", {"PNG", "TIFF"}}}));

    const ParameterExtras& bare = param(o, "Bare").extras();
    CHECK(bare.cd_type_list.empty() && bare.cd_value_list.empty() && bare.value_number.empty() &&
              bare.postprocessing.empty() && bare.file_ext.empty() && bare.file_ext_descr.empty(),
          true);
    CHECK(bare.mixed_type + bare.multiinstance + bare.modified + bare.multichannel +
              bare.step_rec + bare.step_min + bare.value_function,
          "");
    CHECK(bare.costs_weight, 0);
  }), ::testing::ExitedWithCode(0), "");
}

TEST(NewInVersion, DecimalPartsAndHexadecimal) {
  EXPECT_EQ(parse_new_in_version("12"), 12 << 24);
  EXPECT_EQ(parse_new_in_version("12.1"), (12 << 24) + (1 << 16));
  // A leading zero is decimal, not octal.
  EXPECT_EQ(parse_new_in_version("20.08"), (20 << 24) + (8 << 16));
  EXPECT_EQ(parse_new_in_version("20.09"), (20 << 24) + (9 << 16));
  EXPECT_EQ(parse_new_in_version("20.010"), (20 << 24) + (10 << 16));
  EXPECT_EQ(parse_new_in_version("0x14.0x1.2.3"), (20 << 24) + (1 << 16) + (2 << 8) + 3);
  EXPECT_EQ(parse_new_in_version("11.0"), -1);
  EXPECT_EQ(parse_new_in_version("12.x"), -1);
  EXPECT_EQ(parse_new_in_version("12."), -1);
  EXPECT_EQ(parse_new_in_version("12.-1"), -1);
  EXPECT_EQ(parse_new_in_version("0x"), -1);
  EXPECT_EQ(parse_new_in_version("12.1.2.3.4"), -1);
  EXPECT_EQ(parse_new_in_version(""), -1);
}

}  // namespace
