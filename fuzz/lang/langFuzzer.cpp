// Feeds arbitrary texts through graphicCommand against the recording
// stand-in. The text sits in a buffer of its exact size, so any read past its
// terminating zero is caught.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "gfx/lang/processCommands.h"
#include "tests/support/drawRecorder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  char* text = static_cast<char*>(std::malloc(size + 1));
  if (!text) return 0;
  std::memcpy(text, data, size);
  text[size] = 0;
  gRecorder.calls.clear();
  gRecorder.windows.clear();
  gRecorder.boxes.clear();
  gRecorder.tick += 10001;  // let every run build and show its messages
  graphicCommand(reinterpret_cast<HWND>(static_cast<uintptr_t>(1)), text);
  std::free(text);
  return 0;
}
