// Frees cairo's and fontconfig's caches when a test program ends, so the leak
// checker sees only the program's own allocations. One instance per program, however
// many test files include this.
#pragma once

#include <cairo.h>
#include <fontconfig/fontconfig.h>

namespace cairostatics {

struct TCairoStaticsAtExit {
  TCairoStaticsAtExit() = default;
  TCairoStaticsAtExit(const TCairoStaticsAtExit&) = delete;
  TCairoStaticsAtExit& operator=(const TCairoStaticsAtExit&) = delete;
  ~TCairoStaticsAtExit() {
    cairo_debug_reset_static_data();
    FcFini();
  }
};

inline TCairoStaticsAtExit AtExit;

}  // namespace cairostatics
