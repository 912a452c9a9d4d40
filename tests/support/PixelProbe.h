// Renders into a cairo image surface and reads its pixels back, for the drawing tests.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

// One pixel, not premultiplied, each channel in 0..1.
struct TPixel {
  double R = 0;
  double G = 0;
  double B = 0;
  double A = 0;
};

inline std::ostream& operator<<(std::ostream& out, const TPixel& p) {
  return out << "(" << p.R << ", " << p.G << ", " << p.B << ", alpha " << p.A << ")";
}

// An ARGB image surface with a context on it; transparent until painted.
class TPixelProbe {
 public:
  TPixelProbe(int width, int height)
      : Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy),
        Context(cairo_create(Surface.get()), cairo_destroy) {}

  cairo_t* Cr() const { return Context.get(); }
  cairo_surface_t* Surf() const { return Surface.get(); }
  int Width() const { return cairo_image_surface_get_width(Surface.get()); }
  int Height() const { return cairo_image_surface_get_height(Surface.get()); }

  // Paints the whole surface in one opaque colour, leaving the context's source as it was.
  void Fill(double r, double g, double b) {
    cairo_save(Cr());
    cairo_set_source_rgb(Cr(), r, g, b);
    cairo_paint(Cr());
    cairo_restore(Cr());
  }

  // The pixel that covers the device point (x, y).
  TPixel At(double x, double y) const {
    const int px = static_cast<int>(std::floor(x));
    const int py = static_cast<int>(std::floor(y));
    if (px < 0 || py < 0 || px >= Width() || py >= Height()) return {};
    cairo_surface_flush(Surface.get());
    const unsigned char* row =
        cairo_image_surface_get_data(Surface.get()) + static_cast<ptrdiff_t>(py) * cairo_image_surface_get_stride(Surface.get());
    uint32_t value = 0;
    std::memcpy(&value, row + 4 * px, 4);
    const double a = ((value >> 24) & 0xFF) / 255.0;
    if (a == 0) return {};
    const auto channel = [&](int shift) { return ((value >> shift) & 0xFF) / 255.0 / a; };
    return {channel(16), channel(8), channel(0), a};
  }

  // True when the pixel at (x, y) is opaque and within `tolerance` of (r, g, b).
  ::testing::AssertionResult Is(double x, double y, double r, double g, double b, double tolerance = 0.03) const {
    const TPixel p = At(x, y);
    if (p.A > 1 - tolerance && std::abs(p.R - r) <= tolerance && std::abs(p.G - g) <= tolerance &&
        std::abs(p.B - b) <= tolerance)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel at (" << x << ", " << y << ") is " << p << ", expected (" << r << ", "
                                         << g << ", " << b << ")";
  }

  ::testing::AssertionResult IsTransparent(double x, double y, double tolerance = 0.03) const {
    const TPixel p = At(x, y);
    if (p.A <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel at (" << x << ", " << y << ") is " << p << ", expected transparent";
  }

  // Pixels of the rectangle [x0, x1) x [y0, y1) that differ from the opaque colour
  // (r, g, b) by more than the tolerance in any channel (transparent ones count too).
  int CountDifferent(double x0, double y0, double x1, double y1, double r, double g, double b,
                     double tolerance = 0.1) const {
    int count = 0;
    for (int py = static_cast<int>(std::floor(y0)); py < static_cast<int>(std::ceil(y1)); ++py)
      for (int px = static_cast<int>(std::floor(x0)); px < static_cast<int>(std::ceil(x1)); ++px) {
        if (px < 0 || py < 0 || px >= Width() || py >= Height()) continue;
        const TPixel p = At(px, py);
        if (p.A < 1 - tolerance || std::abs(p.R - r) > tolerance || std::abs(p.G - g) > tolerance ||
            std::abs(p.B - b) > tolerance)
          ++count;
      }
    return count;
  }

  // Pixels of the rectangle that are not fully transparent.
  int CountInked(double x0, double y0, double x1, double y1, double tolerance = 0.1) const {
    int count = 0;
    for (int py = static_cast<int>(std::floor(y0)); py < static_cast<int>(std::ceil(y1)); ++py)
      for (int px = static_cast<int>(std::floor(x0)); px < static_cast<int>(std::ceil(x1)); ++px)
        if (px >= 0 && py >= 0 && px < Width() && py < Height() && At(px, py).A > tolerance) ++count;
    return count;
  }

  bool WritePng(const std::string& path) const {
    return cairo_surface_write_to_png(Surface.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
  }

 private:
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> Surface;
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> Context;
};
