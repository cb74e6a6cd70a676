// Buffer sizes and scroll extents the control accepts, centring arithmetic
// and the flags of drawn text.
#include "gfx/gfxLimits.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The buffer size for a 200 x 150 client on a 1600 x 1200 monitor, or
// {0, 0} when it is refused.
BufferSize bufferFor(int scrollW, int scrollH, int monitorW = 1600, int monitorH = 1200) {
  BufferSize size = {0, 0};
  if (!chooseBufferSize(200, 150, monitorW, monitorH, scrollW, scrollH, &size)) return {0, 0};
  return size;
}

void expectSize(BufferSize size, int w, int h) {
  EXPECT_EQ(size.width, w);
  EXPECT_EQ(size.height, h);
}

TEST(GfxBuffers, SizedByClientMonitorAndTheExtentsInUse) {
  expectSize(bufferFor(0, 0), 1600, 1200);
  expectSize(bufferFor(5000, 0), 5000, 1200);
  expectSize(bufferFor(0, 9000), 1600, 9000);
  BufferSize size;
  ASSERT_TRUE(chooseBufferSize(2500, 600, 1920, 1080, 0, 0, &size));
  expectSize(size, 2500, 1080);
  // No monitor and an empty client still give a buffer of a pixel.
  ASSERT_TRUE(chooseBufferSize(0, 0, 0, 0, 0, 0, &size));
  expectSize(size, 1, 1);
}

TEST(GfxBuffers, ExtentsBeyondWhatTheBuffersCanTakeAreRefused) {
  // 2^25 pixels in all: 27962 x 1200 fits, one column more does not.
  expectSize(bufferFor(27962, 0), 27962, 1200);
  expectSize(bufferFor(27963, 0), 0, 0);
  expectSize(bufferFor(INT_MAX, 0), 0, 0);
  expectSize(bufferFor(0, INT_MAX), 0, 0);
  expectSize(bufferFor(60000, 60000), 0, 0);
  expectSize(bufferFor(0, 100000), 0, 0);
  // The side limit holds even where the area would fit.
  BufferSize size;
  EXPECT_TRUE(chooseBufferSize(1, 1, 0, 0, 65536, 1, &size));
  EXPECT_FALSE(chooseBufferSize(1, 1, 0, 0, 65537, 1, &size));
  EXPECT_FALSE(bufferSizeAccepted({0, 100}));
  EXPECT_FALSE(bufferSizeAccepted({-5, 100}));
}

TEST(GfxBuffers, AMonitorTooLargeForTheBuffersIsLeftOutWithoutExtents) {
  BufferSize size;
  ASSERT_TRUE(chooseBufferSize(800, 600, 7680, 7680, 0, 0, &size));
  expectSize(size, 800, 600);
  EXPECT_FALSE(chooseBufferSize(800, 600, 7680, 7680, 3000, 0, &size));
  EXPECT_FALSE(chooseBufferSize(9000, 9000, 1600, 1200, 0, 0, &size));  // nor a huge client
}

TEST(GfxPens, WidthsBeyondWhatWineDrawsInTimeAreCut) {
  EXPECT_EQ(penWidthFor(3), 3);
  EXPECT_EQ(penWidthFor(0), 0);
  EXPECT_EQ(penWidthFor(MAX_PEN_WIDTH), MAX_PEN_WIDTH);
  EXPECT_EQ(penWidthFor(MAX_PEN_WIDTH + 1), MAX_PEN_WIDTH);
  EXPECT_EQ(penWidthFor(INT_MAX), MAX_PEN_WIDTH);
  EXPECT_EQ(penWidthFor(INT_MIN), -MAX_PEN_WIDTH);
}

TEST(GfxScroll, CentringSaturatesInsteadOfWrapping) {
  EXPECT_EQ(centredScrollPos(400, 200, 17, true), 400 - 100 + 8);
  EXPECT_EQ(centredScrollPos(400, 200, 17, false), 300);
  EXPECT_EQ(centredScrollPos(400, 201, 17, false), 300);  // halves truncated
  EXPECT_EQ(centredScrollPos(INT_MIN, 200, 17, false), INT_MIN);
  EXPECT_EQ(centredScrollPos(INT_MIN + 50, 200, 17, true), INT_MIN);
  EXPECT_EQ(centredScrollPos(INT_MAX, 0, 17, true), INT_MAX);
  EXPECT_EQ(centredScrollPos(INT_MAX, 200, 17, false), INT_MAX - 100);
}

TEST(GfxText, DrawnTextIsNeverModifiedByThePlatform) {
  EXPECT_EQ(textDrawFormat(0), TEXT_FLAG_NOPREFIX);
  EXPECT_EQ(textDrawFormat(0x18000), 0x8000u | TEXT_FLAG_NOPREFIX);  // end ellipsis kept
  EXPECT_EQ(textDrawFormat(0xFFFFFFFFu), ~TEXT_FLAG_MODIFYSTRING);
  EXPECT_EQ(textDrawFormat(0x25), 0x25u | TEXT_FLAG_NOPREFIX);
}

}  // namespace
