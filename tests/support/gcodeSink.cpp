#include "tests/support/gcodeSink.h"

#include <gtest/gtest.h>

#include "cad/gcode/generate.h"

static const Lines START = {"m101", "g21", "g90", "g94",
                            ";1. Zero the machine to the part",
                            ";2. press z up and z down same time to resume",
                            "m103", "m200", "m104", "g92x0y0z0", "g0z5.00"};
static const Lines END = {"g0z5.00", "g0x0y0", "g0z0", "m102", "m104"};

Lines splitLines(const std::string& text) {
  Lines out;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text does not end in CR LF";
      break;
    }
    std::string line = text.substr(at, end - at);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    out.push_back(line);
    at = end + 2;
  }
  return out;
}

namespace {

int _append(void* ctx, const char* data, size_t size) {
  static_cast<std::string*>(ctx)->append(data, size);
  return 1;
}

}  // namespace

std::string programText() {
  std::string text;
  EXPECT_EQ(etchTo(_append, &text), 1) << etchError();
  return text;
}

Lines program() {
  return splitLines(programText());
}

Lines programBody(bool dropFeeds) {
  Lines all = program();
  if (all.size() < START.size() + END.size()) {
    ADD_FAILURE() << "program too short";
    return {};
  }
  EXPECT_EQ(Lines(all.begin(), all.begin() + START.size()), START);
  EXPECT_EQ(Lines(all.end() - END.size(), all.end()), END);
  Lines body;
  for (auto it = all.begin() + START.size(); it != all.end() - END.size(); ++it)
    if (!dropFeeds || (*it)[0] != 'f') body.push_back(*it);
  return body;
}

Lines toolpath(void (*draw)()) {
  std::string text;
  gcodeBegin(_append, &text);
  draw();
  EXPECT_EQ(gcodeEnd(), 1);
  return splitLines(text);
}

Lines travelAndPlunge(const char* x, const char* y, const char* z) {
  return {"g0z5.00", std::string("g0x") + x + "y" + y, "g0z0", std::string("g1z") + z};
}

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
