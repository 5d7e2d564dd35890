#include <iostream>
#include <memory>

#include "host.h"
#include "report.h"

int main() {
  std::unique_ptr<Host> host = MakePlatformHost();
  PrintReport(*host, std::cout, std::cerr);
  return 0;
}
