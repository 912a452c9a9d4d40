// Frees cairo's and fontconfig's caches at exit: the text of the labels fills them,
// and the leak checker would report them otherwise.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

namespace {

struct TCairoStatics {
  ~TCairoStatics() {
    cairo_debug_reset_static_data();
    FcFini();
  }
} CairoStatics;

}  // namespace
