// Entry of the C interface generator: opens the header and the source of
// the generation target and hands them to the writers.
#include "gen/c/c_interface.h"

#include "driver/output.h"
#include "driver/settings.h"
#include "gen/c/c_writers.h"

void write_c_interface(const OperatorList& ops) {
  bool library = settings().generation_target == target_library;
  Writer header = library ? open_output_file("VProto.h", nullptr, banner_c, true)
                          : open_output_file("", "VC%s.h", banner_c, false);
  Writer source = library ? open_output_file("VCSystem.c", nullptr, banner_c, true)
                          : open_output_file("", "VC%s.c", banner_c, false);
  write_c_header(header, ops);
  write_c_source(source, ops);
  header.close();
  source.close();
}
