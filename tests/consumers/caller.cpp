// A caller of the bench package's C++ interface, built on the library:
// free functions are void and hand back every output, the returned one
// included, through a pointer.
#include "vornixcpp/VornixCpp.h"
#include "VCPPbench.h"

using namespace VornixCpp;

double widest_gap(const VImage& image)
{
  double gap = 0.0;
  MeasureGap(image, 4, &gap);
  VObject filled;
  Vlong count = 0;
  FillGaps(image, &filled, "nearest", &count);
  VShapeModel model;
  TrainGapModel(image, 3, &model);
  return gap + static_cast<double>(count);
}
