// The KF map editor's SVG and PNG exports of its GF, and their failure reports.
#include <gtest/gtest.h>

#include <cairo.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "controls/CairoPtr.h"
#include "views/KFMap.h"

namespace fs = std::filesystem;

namespace {

class KFMapExport : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("kfmap-export-" + std::to_string(::getpid()));
    fs::create_directories(Dir);
    // Distinct corners: water at KF 1, a plain at KF 48.
    GF.Kf(1).SetTerrain(TWater());
    GF.Kf(48).SetTerrain(TPlain());
    Editor.SetGF(GF);
  }
  void TearDown() override { fs::remove_all(Dir); }

  std::string File(const std::string& name) const { return (Dir / name).string(); }

  fs::path Dir;
  TGF GF;
  TKFMapEditor Editor;
};

std::string ReadAll(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Unpremultiplied is not needed: the probes look at opaque pixels and at alpha only.
uint32_t Pixel(cairo_surface_t* surface, int x, int y) {
  const unsigned char* data = cairo_image_surface_get_data(surface);
  uint32_t value = 0;
  std::memcpy(&value, data + y * cairo_image_surface_get_stride(surface) + x * 4, 4);
  return value;
}

}  // namespace

TEST_F(KFMapExport, SVGHasTheSizeOfTheGFAtRadius38_695) {
  const std::string file = File("1A0.svg");
  Editor.ExportAsSVG(file);
  const std::string svg = ReadAll(file);
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("width=\"77.39pt\" height=\"67.0217pt\""), std::string::npos);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
  // 2e for R = 38.695.
  EXPECT_NEAR(67.0217, 77.39 * std::sqrt(3.0) / 2, 5e-5);
}

TEST_F(KFMapExport, PNGIs955By860WithTheGFAtOrigin5_36AndRadius472_5) {
  const std::string file = File("1A0.png");
  Editor.ExportAsPNG(file);
  TCairoSurfacePtr png(cairo_image_surface_create_from_png(file.c_str()));
  ASSERT_EQ(cairo_surface_status(png.get()), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png.get()), 955);
  EXPECT_EQ(cairo_image_surface_get_height(png.get()), 860);
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{954, 0}, std::pair{0, 859}, std::pair{954, 859}})
    EXPECT_EQ(Pixel(png.get(), x, y) >> 24, 0u) << x << ", " << y;

  // KF centres from the origin and radius: a = R/8, k = 2a/sqrt(3).
  const double a = 472.5 / 8, k = 2 * a / std::sqrt(3.0);
  const uint32_t kf1 = Pixel(png.get(), int(5 + 5 * a), int(36 + 0.5 * k));
  const uint32_t kf48 = Pixel(png.get(), int(5 + 12 * a), int(36 + 11 * k));
  EXPECT_EQ(kf1 >> 24, 0xFFu);
  EXPECT_EQ(kf48 >> 24, 0xFFu);
  EXPECT_NE(kf1, kf48);
  // Left of row 1 and above the outline the background shows.
  EXPECT_EQ(Pixel(png.get(), int(5 + 1.5 * a), int(36 + 0.5 * k)) >> 24, 0u);
}

TEST_F(KFMapExport, ExportsDrawWithTheRendererTheyAreGiven) {
  // The editor's own renderer and an explicit one give the same picture for the same class.
  const std::string own = File("own.png");
  const std::string given = File("given.png");
  Editor.ExportAsPNG(own);
  Editor.ExportAsPNG(given, Editor.GFRenderer());
  EXPECT_EQ(ReadAll(own), ReadAll(given));
}

TEST_F(KFMapExport, FailuresRaiseAnErrorNamingTheFile) {
  struct TCase {
    const char* Name;
    std::string File;
    std::function<void(TKFMapEditor&, const std::string&)> Export;
  };
  const TCase cases[] = {
      {"SVG into a missing folder", File("missing/gf.svg"),
       [](TKFMapEditor& e, const std::string& f) { e.ExportAsSVG(f); }},
      {"PNG into a missing folder", File("missing/gf.png"),
       [](TKFMapEditor& e, const std::string& f) { e.ExportAsPNG(f); }},
      // Opening works, writing does not: the error shows only when the file is finished.
      {"SVG onto a full disk", "/dev/full", [](TKFMapEditor& e, const std::string& f) { e.ExportAsSVG(f); }},
      {"PNG onto a full disk", "/dev/full", [](TKFMapEditor& e, const std::string& f) { e.ExportAsPNG(f); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    if (c.File == "/dev/full" && !fs::exists(c.File)) continue;
    try {
      c.Export(Editor, c.File);
      ADD_FAILURE() << "no error";
    } catch (const EKFMapExportException& e) {
      EXPECT_NE(std::string(e.what()).find(c.File), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(Dir / "missing"));
  }
  // The editor goes on working.
  Editor.ExportAsSVG(File("after.svg"));
  EXPECT_TRUE(fs::exists(File("after.svg")));
}
