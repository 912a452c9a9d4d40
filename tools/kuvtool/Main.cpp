// kuvtool: inspect and convert map data files without a display.
#include <iostream>

#include "KuvTool.h"

int main(int argc, char** argv) {
  const int status = RunKuvTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  std::cout.flush();
  return std::cout.fail() && status == 0 ? 1 : status;
}
