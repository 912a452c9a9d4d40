// Reads exported files back for the tests: PDF pages and their sizes, SVG size,
// PNG pixels, and PDF pages turned into images with pdftoppm.
#pragma once

#include <cairo.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace exportprobe {

using kuvtest::ReadText;

inline std::vector<uint8_t> ReadBytes(const std::string& fileName) {
  const std::string text = ReadText(fileName);
  return {text.begin(), text.end()};
}

struct TPageSize {
  double Width = 0;
  double Height = 0;
};

// The /MediaBox of every page, in file order (cairo writes them uncompressed).
inline std::vector<TPageSize> PdfPageSizes(const std::string& fileName) {
  const std::string text = ReadText(fileName);
  static const std::regex box(R"(/MediaBox\s*\[\s*(-?[0-9.]+)\s+(-?[0-9.]+)\s+(-?[0-9.]+)\s+(-?[0-9.]+)\s*\])");
  std::vector<TPageSize> sizes;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), box); it != std::sregex_iterator(); ++it)
    sizes.push_back({std::stod((*it)[3]) - std::stod((*it)[1]), std::stod((*it)[4]) - std::stod((*it)[2])});
  return sizes;
}

// Objects of /Type /Page (not /Pages).
inline int PdfPageCount(const std::string& fileName) {
  const std::string text = ReadText(fileName);
  static const std::regex page(R"(/Type\s*/Page(?![s\w]))");
  return static_cast<int>(std::distance(std::sregex_iterator(text.begin(), text.end(), page), std::sregex_iterator()));
}

// The width and height attributes of the root element, in points.
inline std::optional<TPageSize> SvgSize(const std::string& fileName) {
  const std::string text = ReadText(fileName);
  static const std::regex size(R"(<svg[^>]*\swidth="(-?[0-9.]+)pt"\s+height="(-?[0-9.]+)pt")");
  std::smatch m;
  if (!std::regex_search(text, m, size)) return std::nullopt;
  return TPageSize{std::stod(m[1]), std::stod(m[2])};
}

struct TSurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using TImage = std::unique_ptr<cairo_surface_t, TSurfaceDeleter>;

// Null unless the file is a readable PNG.
inline TImage LoadPng(const std::string& fileName) {
  TImage image(cairo_image_surface_create_from_png(fileName.c_str()));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  return image;
}

inline bool HasPdftoppm() { return std::system("command -v pdftoppm >/dev/null 2>&1") == 0; }

// Page `page` (from 1) of a PDF as an image at `dpi` (72 gives one pixel per point).
inline TImage RasterisePdfPage(const std::string& pdf, int page, int dpi = 72) {
  const std::string stem = pdf + ".page" + std::to_string(page);
  const std::string command = "pdftoppm -png -singlefile -r " + std::to_string(dpi) + " -f " + std::to_string(page) +
                              " -l " + std::to_string(page) + " '" + pdf + "' '" + stem + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return nullptr;
  TImage image = LoadPng(stem + ".png");
  std::filesystem::remove(stem + ".png");
  return image;
}

// One pixel of an image surface, not premultiplied, channels in 0..1.
struct TRgba {
  double R = 0;
  double G = 0;
  double B = 0;
  double A = 0;
};

inline TRgba PixelAt(cairo_surface_t* image, int x, int y) {
  if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(image) || y >= cairo_image_surface_get_height(image))
    return {};
  cairo_surface_flush(image);
  const unsigned char* row = cairo_image_surface_get_data(image) + static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(image);
  uint32_t value = 0;
  std::memcpy(&value, row + 4 * x, 4);
  const bool opaque = cairo_image_surface_get_format(image) == CAIRO_FORMAT_RGB24;
  const double a = opaque ? 1.0 : ((value >> 24) & 0xFF) / 255.0;
  if (a == 0) return {};
  const auto channel = [&](int shift) { return ((value >> shift) & 0xFF) / 255.0 / a; };
  return {channel(16), channel(8), channel(0), a};
}

inline bool Near(const TRgba& p, double r, double g, double b, double tolerance = 0.04) {
  return p.A > 1 - tolerance && std::abs(p.R - r) <= tolerance && std::abs(p.G - g) <= tolerance &&
         std::abs(p.B - b) <= tolerance;
}

// Pixels of [x0, x1) x [y0, y1) that are opaque and darker than mid grey.
inline int CountDark(cairo_surface_t* image, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const TRgba p = PixelAt(image, x, y);
      if (p.A > 0.5 && p.R + p.G + p.B < 1.5) ++count;
    }
  return count;
}

}  // namespace exportprobe
