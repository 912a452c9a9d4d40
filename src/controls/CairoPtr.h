// Owning handles for cairo surfaces and contexts.
#pragma once

#include <cairo.h>

#include <memory>

struct TCairoSurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct TCairoContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

using TCairoSurfacePtr = std::unique_ptr<cairo_surface_t, TCairoSurfaceDeleter>;
using TCairoContextPtr = std::unique_ptr<cairo_t, TCairoContextDeleter>;
