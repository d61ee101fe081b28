#include <iostream>
#include <string>
#include <vector>

#include "shell/CommandLine.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return zarvic::RunCommandLine(arguments, std::cout, std::cerr);
}
