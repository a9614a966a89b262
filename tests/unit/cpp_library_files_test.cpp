// Stream operators and tuple legacy names over hand-built class records.
#include <gtest/gtest.h>

#include <string>

#include "classes/class_model.h"
#include "classes/handle_types.h"
#include "driver/output.h"
#include "driver/settings.h"
#include "gen/cpp/library_files.h"

namespace {

class CppLibraryFiles : public testing::Test {
 protected:
  void SetUp() override { init_handle_types("mylib"); }

  static ClassParam param(const char* name, const char* type, bool output, int index) {
    ClassParam p;
    p.name = name;
    p.type = GiveClass(type, 0);
    p.output = output;
    p.index = index;
    return p;
  }
  static ClassMethod method(const char* name) {
    ClassMethod m;
    m.name = name;
    return m;
  }
};

TEST_F(CppLibraryFiles, StreamOperatorsLoadIntoTheReturnValueWithoutInstance) {
  ClassRecord record;
  record.type = GiveClass("hom_mat2d", 0);
  ClassMethod serialize = method("serialize_hom_mat2d");
  serialize.instance = param("hom_mat_2d", "hom_mat2d", false, 0);
  ClassMethod deserialize = method("deserialize_hom_mat2d");
  deserialize.return_param = param("hom_mat_2d", "hom_mat2d", true, 0);
  record.methods = {serialize, deserialize};
  record.serialize_index = 0;
  record.deserialize_index = 1;
  Writer out;
  write_stream_operators(out, record);
  EXPECT_EQ(out.text(),
            "  // Serialize a VHomMat2D instance to a binary output stream\n"
            "  inline std::ostream& operator << (std::ostream& stream, const VHomMat2D& HomMat2d)\n"
            "  {\n"
            "    HomMat2d.SerializeHomMat2d().Serialize(stream);\n"
            "    return stream;\n"
            "  }\n"
            "  \n"
            "  // Deserialize binary input stream to a VHomMat2D\n"
            "  inline std::istream& operator >> (std::istream& stream, VHomMat2D& HomMat2d)\n"
            "  {\n"
            "    HomMat2d = VHomMat2D::DeserializeHomMat2d(VSerializedItem::Deserialize(stream));\n"
            "    return stream;\n"
            "  }\n"
            "\n");

  // Without instance and return parameter the object is called "obj".
  record.methods[0].instance.reset();
  record.methods[1].return_param.reset();
  Writer plain;
  write_stream_operators(plain, record);
  EXPECT_NE(plain.text().find("const VHomMat2D& obj)\n  {\n    obj.SerializeHomMat2d()"),
            std::string::npos);
  EXPECT_NE(plain.text().find("    obj = VHomMat2D::DeserializeHomMat2d("), std::string::npos);
}

TEST_F(CppLibraryFiles, TupleLegacyNamesForwardToTheFullMethods) {
  ClassRecord tuple;
  tuple.type = GiveClass("tuple", 0);
  ClassMethod concat = method("tuple_concat");
  concat.instance = param("T1", "tuple", false, 0);
  concat.params = {param("T2", "tuple", false, 1)};
  concat.return_param = param("Concat", "tuple", true, 0);
  ClassMethod gen = method("tuple_gen_const");
  gen.params = {param("Length", "integer", false, 0), param("Const", "tuple", false, 1),
                param("Result", "tuple", true, 0)};
  ClassMethod other = method("read_tuple");
  tuple.methods = {concat, gen, other};
  Writer out;
  write_tuple_legacy_lines(out, tuple);
  EXPECT_EQ(out.text(),
            "  VTuple Concat(const VTuple& T2) const {return TupleConcat(T2);}\n"
            "  static void GenConst(Vlong Length, const VTuple& Const, VTuple* Result) "
            "{TupleGenConst(Length, Const, Result);}\n");
}

}  // namespace
