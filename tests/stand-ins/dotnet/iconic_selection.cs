// Conversions of a selection into the generated iconic classes (compiled
// together with a library build's classes).
namespace VornixDotNet
{
  public partial class VObjectSelection
  {
    public static implicit operator VImage(VObjectSelection s) { return new VImage(); }
    public static implicit operator VRegion(VObjectSelection s) { return new VRegion(); }
    public static implicit operator VXLD(VObjectSelection s) { return new VXLD(); }
    public static implicit operator VXLDCont(VObjectSelection s) { return new VXLDCont(); }
    public static implicit operator VXLDPoly(VObjectSelection s) { return new VXLDPoly(); }
    public static implicit operator VXLDPara(VObjectSelection s) { return new VXLDPara(); }
    public static implicit operator VXLDModPara(VObjectSelection s) { return new VXLDModPara(); }
    public static implicit operator VXLDExtPara(VObjectSelection s) { return new VXLDExtPara(); }
  }
}
