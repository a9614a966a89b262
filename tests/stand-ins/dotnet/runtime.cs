// Stand-in of the library's .NET runtime: just enough of the types that
// the generated classes name (VornixAPI, the base classes, the hand-written
// half of VTuple, ...) for the generated C# to compile. Nothing here does
// real work.
using System;
using System.IO;

namespace VornixDotNet
{
  public enum VTupleType { MIXED, INTEGER, DOUBLE, STRING }

  public class VOperatorException : Exception
  {
    public static void throwInfo(int err, string name) { throw new VOperatorException(); }
  }

  public static class VornixAPI
  {
    public static IntPtr PreCall(int procIndex) { return IntPtr.Zero; }
    public static void PostCall(IntPtr proc, int err) {}
    public static int CallProcedure(IntPtr proc) { return 2; }
    public static bool IsLegacyHandleMode() { return false; }
    public static void AssertObjectClass(IntPtr key, string semType) {}

    public static void StoreI(IntPtr proc, int index, int value) {}
    public static void StoreL(IntPtr proc, int index, long value) {}
    public static void StoreD(IntPtr proc, int index, double value) {}
    public static void StoreS(IntPtr proc, int index, string value) {}
    public static void StoreIP(IntPtr proc, int index, IntPtr value) {}
    public static void Store(IntPtr proc, int index, VObjectBase value) {}
    public static void Store(IntPtr proc, int index, VObjectBase[] value) {}
    public static void Store(IntPtr proc, int index, VHandleBase value) {}
    public static void Store(IntPtr proc, int index, VData value) {}
    public static void Store(IntPtr proc, int index, VTuple value) {}
    public static void InitOCT(IntPtr proc, int index) {}
    public static void UnpinTuple(VTuple value) {}
    public static void UnpinTuple(VData value) {}

    public static int LoadI(IntPtr proc, int index, int err, out int value) { value = 0; return err; }
    public static int LoadL(IntPtr proc, int index, int err, out long value) { value = 0; return err; }
    public static int LoadD(IntPtr proc, int index, int err, out double value) { value = 0; return err; }
    public static int LoadS(IntPtr proc, int index, int err, out string value) { value = ""; return err; }
    public static int LoadIP(IntPtr proc, int index, int err, out IntPtr value) { value = IntPtr.Zero; return err; }
  }

  // What SelectObj hands back: any iconic class can be made from it (see
  // iconic_selection.cs), so the generated indexers of every iconic class
  // compile.
  public partial class VObjectSelection
  {
    public static implicit operator VObject(VObjectSelection s) { return new VObject(); }
  }

  public class VObjectBase : IDisposable
  {
    protected static readonly IntPtr UNDEF = IntPtr.Zero;
    protected IntPtr key;
    protected VObjectBase() {}
    public VObjectBase(IntPtr key, bool copy) { this.key = key; }
    public VObjectBase(VObjectBase obj) { key = obj.key; }
    public VObjectSelection SelectObj(VTuple index) { return new VObjectSelection(); }
    public void Store(IntPtr proc, int parIndex) {}
    public int Load(IntPtr proc, int parIndex, int err) { return err; }
    public void Dispose() {}

    // An output that stands for several iconic objects (the array form of
    // an iconic instance) is loaded here, one object per element: the
    // generated iconic classes write only the loader of a single object,
    // as the runtime's VornixAPI.Store takes the arrays of inputs.
    public static int LoadNew<T>(IntPtr proc, int parIndex, int err, out T[] obj)
        where T : VObjectBase, new()
    {
      obj = new T[0];
      return err;
    }
  }

  public class VHandleBase : IDisposable
  {
    protected static readonly IntPtr UNDEF = IntPtr.Zero;
    protected IntPtr handle;
    protected VHandleBase() {}
    public VHandleBase(IntPtr handle) { this.handle = handle; }
    public VHandleBase(VHandleBase other) { handle = other.handle; }
    protected void AssertSemType(string semType) {}
    public void Store(IntPtr proc, int parIndex) {}
    public int Load(IntPtr proc, int parIndex, int err) { return err; }
    public void Dispose() {}
    public static VTuple ConcatArray(VHandleBase[] handles) { return new VTuple(); }
    public static implicit operator IntPtr(VHandleBase h) { return h.handle; }
  }

  public class VData
  {
    protected VTuple tuple;
    public VData() { tuple = new VTuple(); }
    public VData(VTuple tuple) { this.tuple = tuple; }
    public VData(VData data) { tuple = data.tuple; }
    public void Store(IntPtr proc, int parIndex) {}
    public int Load(IntPtr proc, int parIndex, int err) { return err; }
    public void UnpinTuple() {}
    public static VTuple ConcatArray(VData[] data) { return new VTuple(); }
  }

  public class VTupleElement
  {
    public IntPtr IP { get { return IntPtr.Zero; } }
    public VHandle H { get { return new VHandle(); } }
  }

  // The hand-written half of the tuple class; the generated half holds the
  // operators.
  public partial class VTuple : IDisposable
  {
    internal object data;
    public VTuple() {}
    public int Length { get { return 0; } }
    public VTupleElement this[int index] { get { return new VTupleElement(); } }
    public VTuple TupleSelectRange(int from, int to) { return new VTuple(); }
    public void Store(IntPtr proc, int parIndex) {}
    public int Load(IntPtr proc, int parIndex, int err) { return err; }
    public void UnpinTuple() {}
    public void Dispose() {}
    internal static int LoadNew(IntPtr proc, int parIndex, int err, out VTuple tuple)
    {
      tuple = new VTuple();
      return err;
    }
    internal static int LoadNew(IntPtr proc, int parIndex, VTupleType type, int err, out VTuple tuple)
    {
      tuple = new VTuple();
      return err;
    }
  }
}
