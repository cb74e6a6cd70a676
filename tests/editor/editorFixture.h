// Fixture of the editor core's tests: a new design (default settings and
// tools, no objects), the editor idle with nothing selected or hovered, the
// default tool 0, and (natively) an empty drawing recorder.
#pragma once

#include <gtest/gtest.h>

#include <tuple>

#include "cad/document/settings.h"
#include "cad/document/tools.h"
#include "cad/editor/editorState.h"
#include "cad/editor/selection.h"
#include "cad/editor/toolListRows.h"
#include "cad/editor/viewMap.h"
#include "tests/support/designFixture.h"
#ifndef _WIN32
#include "tests/support/drawRecorder.h"
#endif

class EditorTest : public DesignTest {
 protected:
  void SetUp() override {
    DesignTest::SetUp();
    gDefaultTool = 0;
    New();
#ifndef _WIN32
    recorderReset();
#endif
  }
  void TearDown() override {
    New();
    DesignTest::TearDown();
  }
};

// Colours and pixel rectangles as tuples, so one expectation compares (and
// prints) them whole.
inline std::tuple<int, int, int> rgbOf(Rgb c) { return {c.r, c.g, c.b}; }
inline std::tuple<int, int, int, int> edgesOf(const PixelRect& r) {
  return {r.left, r.top, r.right, r.bottom};
}
