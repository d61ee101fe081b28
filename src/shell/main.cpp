#include <iostream>
#include <string>
#include <vector>

#include "shell/CommandLine.h"
#include "shell/ui/CTApp.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  // The unattended options run without a QApplication; the windows start only for the others.
  return zarvic::RunCommandLine(arguments, std::cout, std::cerr, zarvic::RunWindows);
}
