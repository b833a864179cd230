#pragma once
// The kinds of handles only the projector needs, owned by the one handle
// template.

#include <windows.h>

#include "common/handle.h"

namespace vnx {

struct AcceleratorTraits {
  using Type = HACCEL;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DestroyAcceleratorTable(h); }
};
struct MemoryDcTraits {  // from CreateCompatibleDC; GetDC's are released, not deleted
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DeleteDC(h); }
};

using UniqueAccelerators = UniqueHandle<AcceleratorTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

}  // namespace vnx
