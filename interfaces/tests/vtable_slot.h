// The virtual-table slot that a pointer to a virtual member function names
// (Itanium C++ ABI; ARM keeps the virtual flag in the adjustment word).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kv::test {

struct Slot {
  bool isVirtual;
  size_t index;      // slot in the vtable of the class that declares the method
  ptrdiff_t adjust;  // `this` adjustment: 0 for methods of the primary vtable
};

template <typename C, typename F>
Slot slotOf(F C::*method) {
  struct {
    uintptr_t ptr;
    ptrdiff_t adj;
  } rep;
  static_assert(sizeof(method) == sizeof(rep), "Itanium member-function pointer");
  memcpy(&rep, &method, sizeof rep);
#if defined(__arm__) || defined(__aarch64__)
  return Slot{(rep.adj & 1) != 0, rep.ptr / sizeof(void*), rep.adj >> 1};
#else
  return Slot{(rep.ptr & 1) != 0, (rep.ptr - 1) / sizeof(void*), rep.adj};
#endif
}

}  // namespace kv::test
