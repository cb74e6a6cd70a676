// Test fixture of the command language: a fresh recorder and message box
// time stamps that let the first box of each kind show.
#pragma once

#include <gtest/gtest.h>

#include "gfx/lang/commandLexer.h"
#include "tests/support/drawRecorder.h"

class LangTest : public ::testing::Test {
 protected:
  void SetUp() override { freshBoxes(); }

  // Forgets the recorded calls and boxes and lets each kind of box show again.
  void freshBoxes() {
    recorderReset();
    lang::gErrorBoxTick = 0;
    lang::gExpectedBoxTick = 0;
  }

  std::vector<std::string> captions() const {
    std::vector<std::string> result;
    for (const RecordedBox& box : gRecorder.boxes) result.push_back(box.caption);
    return result;
  }
};
