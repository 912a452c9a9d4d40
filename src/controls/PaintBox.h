// A toolkit-free paint box: a control of a given size that owns a cairo image
// surface and context, calls a draw handler on it, and takes mouse, key, focus and
// size events. A toolkit widget hosts it by showing Surface() and forwarding events.
#pragma once

#include <cairo.h>

#include <functional>

#include "controls/CairoPtr.h"
#include "controls/Keys.h"

class TCairoPaintBox {
 public:
  TCairoPaintBox() = default;
  virtual ~TCairoPaintBox() = default;
  TCairoPaintBox(const TCairoPaintBox&) = delete;
  TCairoPaintBox& operator=(const TCairoPaintBox&) = delete;

  // Events; the sender comes first.
  std::function<void(TCairoPaintBox& sender, cairo_t* cr)> OnDraw;
  std::function<void(TCairoPaintBox& sender)> OnContextCreated;
  std::function<void(TCairoPaintBox& sender)> OnResize;
  std::function<void(TCairoPaintBox& sender, EMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(TCairoPaintBox& sender, int& key, TShiftState shift)> OnKeyDown;

  // Hooks for the hosting widget: the picture changed, the box wants the focus.
  std::function<void()> HostUpdate;
  std::function<void()> HostSetFocus;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Resizes the surface (when it exists) and raises OnResize.
  void SetSize(int width, int height);

  // The host shows the control for the first time: the context is created.
  void Show();
  bool HasContext() const { return Context != nullptr; }

  // Whether the control and all its parents are shown; the host keeps this.
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible) { FVisible = visible; }

  bool Focused() const { return FFocused; }
  // The host reports that the control gained or lost the keyboard focus.
  void SetFocused(bool focused) { FFocused = focused; }
  virtual bool CanFocus() const { return true; }
  // Asks for the keyboard focus.
  void SetFocus();

  // Background the surface is cleared to before each draw (r, g, b, a in 0..1).
  void SetBackground(double r, double g, double b, double a);

  // Asks the host to repaint and, when visible, redraws at once.
  virtual void Invalidate();
  // Clears the surface and runs DoDraw; nothing happens before the context exists.
  void Redraw();

  virtual void MouseDown(EMouseButton button, TShiftState shift, int x, int y);
  // A consumed key is set to 0.
  virtual void KeyDown(int& key, TShiftState shift);
  // Typed characters (Unicode code points); a consumed one is set to 0.
  virtual void KeyPress(char32_t& key);

  cairo_surface_t* Surface() const { return SurfaceHandle.get(); }
  cairo_t* CairoContext() const { return Context.get(); }

 protected:
  // The draw step; runs OnDraw.
  virtual void DoDraw(cairo_t* cr);
  // The context exists now; raises OnContextCreated.
  virtual void ContextCreated();
  // The size changed; raises OnResize.
  virtual void Resized();

 private:
  void CreateSurface();

  int FWidth = 0;
  int FHeight = 0;
  bool FVisible = false;
  bool FFocused = false;
  double Background[4] = {0, 0, 0, 0};
  TCairoSurfacePtr SurfaceHandle;
  TCairoContextPtr Context;
};
