// Arbitrary bytes as a design file: load, save image, program, Trim Size,
// program again. A loaded design must save to the very bytes it came from.
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/document/trimBoard.h"
#include "cad/gcode/generate.h"

// Programs of damaged designs can be endless for all practical purposes
// (billions of passes or rings); the sink refuses more than this, which
// stops the generator.
static const size_t OUTPUT_LIMIT = 64 * 1024;

namespace {

int _limitedSink(void* ctx, const char* data, size_t size) {
  size_t* total = static_cast<size_t*>(ctx);
  *total += size;
  for (size_t i = 0; i < size; i++)
    if (static_cast<unsigned char>(data[i]) >= 0x80) __builtin_trap();  // plain ASCII only
  // Numbers are always finite ("nan" and "inf" appear in no fixed text).
  std::string_view text(data, size);
  if (text.find("nan") != text.npos || text.find("inf") != text.npos) __builtin_trap();
  return *total <= OUTPUT_LIMIT;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (loadFromBytes(data, size) != DESIGN_OK) return 0;
  std::vector<unsigned char> image = designBytes();
  if (image.size() != size || memcmp(image.data(), data, size) != 0) __builtin_trap();
  size_t total = 0;
  etchTo(_limitedSink, &total);
  trimDesign();
  total = 0;
  etchTo(_limitedSink, &total);
  resetObjs();
  return 0;
}
