#pragma once
// One non-copyable owner for every kind of Windows handle. A traits struct per
// kind says what "no handle" is and how one is given back.

#include <windows.h>

#include <utility>

namespace vnx {

template <class Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type value) : value_(value) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Type get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }

  Type release() { return std::exchange(value_, Traits::Invalid()); }
  void reset(Type value = Traits::Invalid()) {
    const Type old = std::exchange(value_, value);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  Type value_ = Traits::Invalid();
};

struct KernelHandleTraits {  // processes, threads, mutexes, mappings: 0 means none
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile reports failure as INVALID_HANDLE_VALUE
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { CloseHandle(h); }
};
struct FindHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { FindClose(h); }
};
struct MenuTraits {
  using Type = HMENU;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DestroyMenu(h); }
};
struct WindowTraits {
  using Type = HWND;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DestroyWindow(h); }
};
struct RegistryKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { RegCloseKey(h); }
};
struct LibraryTraits {
  using Type = HMODULE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { FreeLibrary(h); }
};
struct HookTraits {
  using Type = HHOOK;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { UnhookWindowsHookEx(h); }
};
struct MappedViewTraits {
  using Type = void*;
  static Type Invalid() { return nullptr; }
  static void Close(Type view) { UnmapViewOfFile(view); }
};
struct GdiObjectTraits {
  using Type = HGDIOBJ;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DeleteObject(h); }
};
struct GlobalAtomTraits {
  using Type = ATOM;
  static Type Invalid() { return 0; }
  static void Close(Type atom) { GlobalDeleteAtom(atom); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;
using UniqueHook = UniqueHandle<HookTraits>;
using UniqueMappedView = UniqueHandle<MappedViewTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueGlobalAtom = UniqueHandle<GlobalAtomTraits>;

}  // namespace vnx
