// nk_masters.cpp - the master-data kit's command line (see masters_command.h).
#include "masters/masters_command.h"

#include <iostream>

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return nk::runMastersCommand(args, std::cout, std::cerr);
}
