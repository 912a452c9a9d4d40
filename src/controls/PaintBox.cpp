// The toolkit-free paint box.
#include "controls/PaintBox.h"

#include <algorithm>

void TCairoPaintBox::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  FWidth = width;
  FHeight = height;
  if (Context) CreateSurface();
  Resized();
}

void TCairoPaintBox::Show() {
  FVisible = true;
  if (Context) return;
  CreateSurface();
  ContextCreated();
}

void TCairoPaintBox::SetFocus() {
  if (!CanFocus()) return;
  FFocused = true;
  if (HostSetFocus) HostSetFocus();
}

void TCairoPaintBox::SetBackground(double r, double g, double b, double a) {
  Background[0] = r;
  Background[1] = g;
  Background[2] = b;
  Background[3] = a;
}

void TCairoPaintBox::Invalidate() {
  if (FVisible) Redraw();
  if (HostUpdate) HostUpdate();
}

void TCairoPaintBox::Redraw() {
  if (!Context) return;
  cairo_t* cr = Context.get();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr, Background[0], Background[1], Background[2], Background[3]);
  cairo_paint(cr);
  cairo_restore(cr);
  // Each draw starts from cairo's defaults, as on a fresh context.
  cairo_save(cr);
  DoDraw(cr);
  cairo_restore(cr);
  cairo_surface_flush(SurfaceHandle.get());
}

void TCairoPaintBox::DoDraw(cairo_t* cr) {
  if (OnDraw) OnDraw(*this, cr);
}

void TCairoPaintBox::ContextCreated() {
  if (OnContextCreated) OnContextCreated(*this);
}

void TCairoPaintBox::Resized() {
  if (OnResize) OnResize(*this);
}

void TCairoPaintBox::MouseDown(EMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TCairoPaintBox::KeyDown(int& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(*this, key, shift);
}

void TCairoPaintBox::KeyPress(char32_t&) {}

void TCairoPaintBox::CreateSurface() {
  // A zero-sized control still gets a valid 1 x 1 surface to draw on.
  SurfaceHandle.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(FWidth, 1), std::max(FHeight, 1)));
  Context.reset(cairo_create(SurfaceHandle.get()));
}
