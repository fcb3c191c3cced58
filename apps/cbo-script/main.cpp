// cbo-script FILE: plays a scenario on the headless platform.
#include <iostream>

#include "run.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: cbo-script FILE\n";
    return 2;
  }
  std::ios::sync_with_stdio(false);
  return cbo::script::RunScenarioFile(argv[1], std::cout, std::cerr);
}
