// The owners of the system objects the adapter makes: each holds one handle
// and frees it, with the call its kind needs, when it goes. Move-only, so a
// handle has one owner at a time; `release` hands it on, `reset` frees the
// one held and takes another.
#pragma once

#include <windows.h>

#include <utility>

namespace korvel::win32 {

template <typename Kind>
class Owned {
 public:
  using Handle = typename Kind::Handle;

  Owned() noexcept = default;
  explicit Owned(Handle handle) noexcept : handle_(handle) {}
  ~Owned() { reset(); }
  Owned(Owned&& other) noexcept : handle_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return Kind::valid(handle_); }
  // No longer owned: the caller frees it.
  Handle release() noexcept { return std::exchange(handle_, Kind::none()); }
  void reset(Handle handle = Kind::none()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (Kind::valid(old)) Kind::free(old);
  }

 private:
  Handle handle_ = Kind::none();
};

template <typename H>
struct GdiObjectKind {
  using Handle = H;
  static Handle none() noexcept { return nullptr; }
  static bool valid(Handle h) noexcept { return h != nullptr; }
  // Fails for an object still selected into a context: whoever selects one
  // puts the context's own back first.
  static void free(Handle h) noexcept { DeleteObject(h); }
};

struct IconKind {
  using Handle = HICON;
  static Handle none() noexcept { return nullptr; }
  static bool valid(Handle h) noexcept { return h != nullptr; }
  static void free(Handle h) noexcept { DestroyIcon(h); }
};

// Files, processes, threads: the calls that make them answer failure with
// either nullptr or INVALID_HANDLE_VALUE, and neither is a handle.
struct KernelHandleKind {
  using Handle = HANDLE;
  static Handle none() noexcept { return nullptr; }
  static bool valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void free(Handle h) noexcept { CloseHandle(h); }
};

using OwnedBrush = Owned<GdiObjectKind<HBRUSH>>;
using OwnedPen = Owned<GdiObjectKind<HPEN>>;
using OwnedFont = Owned<GdiObjectKind<HFONT>>;
using OwnedIcon = Owned<IconKind>;
using OwnedHandle = Owned<KernelHandleKind>;

// A window's painting, from BeginPaint to EndPaint: the context it gives is the
// system's and goes back with EndPaint, however the painting ends.
class Painting {
 public:
  explicit Painting(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~Painting() { EndPaint(window_, &paint_); }
  Painting(const Painting&) = delete;
  Painting& operator=(const Painting&) = delete;

  HDC dc() const noexcept { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace korvel::win32
