// Stand-in of the runtime's internal array of handles.
#ifndef VORNIXCPP_STANDIN_HANDLE_INTERNAL_H
#define VORNIXCPP_STANDIN_HANDLE_INTERNAL_H

#include "vornixcpp/VornixCpp.h"

namespace VornixCpp
{

template <class T>
class VHandleBaseArrayRef
{
public:
  VHandleBaseArrayRef();
  VHandleBaseArrayRef(const T* tools, Vlong length);
  const T* Tools() const;
  Vlong Length() const;
  void Clear();
  void SetFromTuple(const VTuple& handles);
  VTuple ConvertToTuple() const;
};

}

#endif
