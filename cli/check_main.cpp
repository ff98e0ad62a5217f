#include <iostream>

#include "check_command.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return ulmar::runCheckCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
