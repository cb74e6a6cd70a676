// kivo-etch DESIGN.cnc [-o OUT.txt]: writes the milling program of a design
// file, byte for byte what the editor's "Generate GCode" writes.
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "cad/document/designFile.h"
#include "cad/gcode/generate.h"

static const char USAGE[] =
    "usage: kivo-etch DESIGN.cnc [-o OUT.txt]\n"
    "\n"
    "Writes the G-code milling program of the KIVO design file DESIGN.cnc:\n"
    "to OUT.txt with -o, else to standard output. The program is the one the\n"
    "editor's \"Generate GCode\" command writes, with CR LF line ends.\n"
    "\n"
    "  -o OUT.txt   write the program to OUT.txt (created or replaced; left\n"
    "               untouched by a design that cannot be used, removed if\n"
    "               writing it fails)\n"
    "  -h, --help   show this text\n"
    "\n"
    "Exit status: 0 on success, 1 if the design cannot be read or used or the\n"
    "program cannot be written, 2 for wrong arguments.\n";

namespace {

int _usageError(const char* problem) {
  fprintf(stderr, "kivo-etch: %s (see kivo-etch --help)\n", problem);
  return 2;
}

int _stdoutSink(void*, const char* data, size_t size) {
  return fwrite(data, 1, size, stdout) == size;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // Large blocks (the loader's growing record buffer) come from the heap
  // instead of fresh mappings, so the memory they free is used again for
  // the design's objects: a third fewer pages to fault in, a good part of
  // a short run's time.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
#endif
  const char* design = nullptr;
  const char* out = nullptr;
  for (int i = 1; i < argc; i++) {
    if (!strcmp(argv[i], "-h") || !strcmp(argv[i], "--help")) {
      fputs(USAGE, stdout);
      return 0;
    }
    if (!strcmp(argv[i], "-o")) {
      if (++i == argc) return _usageError("-o needs a file name");
      out = argv[i];
    } else if (argv[i][0] == '-' && argv[i][1]) {
      return _usageError("unknown option");
    } else if (design) {
      return _usageError("more than one design file given");
    } else {
      design = argv[i];
    }
  }
  if (!design) return _usageError("no design file given");

  errno = 0;
  int status = loadFromFile(design);
  if (status != DESIGN_OK) {
    if (status == DESIGN_CANNOT_OPEN || status == DESIGN_READ_ERROR)
      fprintf(stderr, "kivo-etch: %s: %s: %s\n", design, designErrorText(status), strerror(errno));
    else
      fprintf(stderr, "kivo-etch: %s: %s\n", design, designErrorText(status));
    return 1;
  }
  if (!checkDesign()) {
    fprintf(stderr, "kivo-etch: %s: %s\n", design, etchError());
    return 1;
  }
  if (out) {
    if (!writeProgramFile(out)) {
      fprintf(stderr, "kivo-etch: %s: %s\n", out, etchError());
      return 1;
    }
    return 0;
  }
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // the CR LF are in the text already
#endif
  if (!etchTo(_stdoutSink, nullptr)) {
    fprintf(stderr, "kivo-etch: standard output: %s\n", etchError());
    return 1;
  }
  if (fflush(stdout) != 0) {
    fprintf(stderr, "kivo-etch: standard output: write failed: %s\n", strerror(errno));
    return 1;
  }
  return 0;
}
