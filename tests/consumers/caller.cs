// A caller of the bench package's .NET interface, built on the library:
// each static method returns its first output.
using VornixDotNet;

public static class BenchCaller
{
  public static double WidestGap(VImage img)
  {
    double g = VBench.MeasureGap(img, 4);
    int count;
    VObject filled = VBench.FillGaps(img, "nearest", out count);
    VShapeModel model = VBench.TrainGapModel(filled, 3);
    return g + count;
  }
}
