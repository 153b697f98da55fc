#pragma once
// Which vtable slot a declared method is called through: the call goes to a
// stand-in object whose vtable entries each record their own position.
// Arguments are ignored (64-bit Windows has one calling convention and the
// caller cleans up), so any values will do.
#include <windows.h>

#include <array>
#include <utility>

namespace vtableslot {

inline int lastSlot = -1;

template <int N>
long __stdcall Record() {
  lastSlot = N;
  return 0;
}

template <int... N>
std::array<void*, sizeof...(N)> MakeTable(std::integer_sequence<int, N...>) {
  return {reinterpret_cast<void*>(&Record<N>)...};
}

inline void* const* Table() {
  static const auto table = MakeTable(std::make_integer_sequence<int, 64>());
  return table.data();
}

// The slot that call(object) went through; -1 when it called nothing.
template <class Interface, class Call>
int SlotOf(Call call) {
  struct Fake {
    void* const* vtable;
  } fake{Table()};
  lastSlot = -1;
  call(reinterpret_cast<Interface*>(&fake));
  return lastSlot;
}

}  // namespace vtableslot
