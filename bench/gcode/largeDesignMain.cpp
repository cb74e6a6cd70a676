// large-design OUT.cnc: saves the large design of the generator benchmarks,
// for comparing kivo-etch builds on it.
#include <cstdio>

#include "bench/gcode/largeDesign.h"
#include "cad/document/designFile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: large-design OUT.cnc\n");
    return 2;
  }
  makeLargeDesign();
  if (!saveToFile(argv[1])) {
    fprintf(stderr, "large-design: %s: cannot be written\n", argv[1]);
    return 1;
  }
  return 0;
}
