// kuvtool: inspect, convert and export map data files without a display.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <iostream>

#include "KuvTool.h"

int main(int argc, char** argv) {
  const int status = RunKuvTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  // Texts fill cairo's and fontconfig's font caches; freeing them keeps the leak
  // checker's report to the program's own memory.
  cairo_debug_reset_static_data();
  FcFini();
  std::cout.flush();
  return std::cout.fail() && status == 0 ? 1 : status;
}
