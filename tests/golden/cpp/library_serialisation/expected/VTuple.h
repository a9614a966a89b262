// Stand-in snippet: head of the tuple class.
#ifndef VCPP_VTUPLE
#define VCPP_VTUPLE

namespace VornixCpp
{

class LIntExport VTuple
{

public:

  VTuple();
  VTuple(Vlong value);
  VTuple(double value);
  VTuple(const char* value);
  VTuple(const VTuple& source);
  ~VTuple();
  VTuple& operator=(const VTuple& source);
  void Clear();


  /***************************************************************************
   * Operators                                                               *
   ***************************************************************************/
  // Number of elements of a tuple.
  Vlong TupleLength() const;

  // Stand-in snippet: the legacy short names, then the end of the class.
#include "VTupleLegacy.hx"
};

}

#endif
