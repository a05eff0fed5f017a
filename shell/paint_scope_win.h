// Device contexts of a window held for one scope: whatever leaves the scope,
// a return or an exception, the context is given back, so a failed paint
// still ends (and validates the window) instead of leaving it to be painted
// for ever.
#pragma once

#include <windows.h>

namespace kv {

// BeginPaint ... EndPaint, for WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~PaintScope() { EndPaint(hwnd_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_ = {};
  HDC dc_;
};

// GetDC ... ReleaseDC, for measuring and hit testing outside a paint.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDC() { ReleaseDC(hwnd_, dc_); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC dc() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

}  // namespace kv
