// Tool table and settings defaults.
#include <gtest/gtest.h>

#include <cstring>

#include "cad/document/designFile.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"

TEST(ToolTable, DefaultsAndLookups) {
  memset(gTools, 0xEE, sizeof(gTools));
  EXPECT_EQ(resetTools(), 10);
  // Bits from 0.5 mm cutting 0.1 mm deep up to 1.4 mm cutting 1 mm deep; the
  // program tests cut with the depths between.
  EXPECT_DOUBLE_EQ(gTools[0].size, 0.5);
  EXPECT_DOUBLE_EQ(gTools[0].depth, 0.1);
  EXPECT_DOUBLE_EQ(gTools[9].size, 1.4);
  EXPECT_DOUBLE_EQ(gTools[9].depth, 1.0);
  for (int i = 0; i < TOOL_COUNT; i++) {
    EXPECT_EQ(gTools[i].millSpeed, 150u);
    EXPECT_EQ(gTools[i].bitId, i);
    EXPECT_EQ(gTools[i].passes, 1u);
    for (unsigned char b : gTools[i].pad0) EXPECT_EQ(b, 0);
    for (unsigned char b : gTools[i].pad1) EXPECT_EQ(b, 0);
  }
  EXPECT_EQ(toolIndexFromPtr(&gTools[3]), 3);
  EXPECT_EQ(toolIndexFromPtr(&gTools[9]), 9);
  Tool other = {};
  EXPECT_EQ(toolIndexFromPtr(&other), 0);
  EXPECT_EQ(toolIndexFromPtr(nullptr), 0);
  EXPECT_EQ(toolAt(9), &gTools[9]);
  EXPECT_EQ(toolAt(10), nullptr);
  EXPECT_EQ(toolAt(255), nullptr);
}

TEST(Settings, NewDesignSetsDefaultsAndKeepsReservedBytes) {
  memset(&gV, 0x11, sizeof(gV));
  gDefaultTool = 4;
  newDesign();
  EXPECT_EQ(gV.zoom, 5.0);
  EXPECT_EQ(gV.viewX, 0);
  EXPECT_EQ(gV.viewY, 0);
  EXPECT_EQ(gV.gridSpacing, 2.0);
  EXPECT_EQ(gV.snapSpacing, 1.0);
  EXPECT_EQ(gV.boardWidth, 70.0);
  EXPECT_EQ(gV.boardHeight, 100.0);
  EXPECT_EQ(gV.gripSize, 10.0);
  EXPECT_EQ(gV.travelHeight, 5.0);
  for (unsigned char b : gV.reserved) EXPECT_EQ(b, 0x11);
  EXPECT_EQ(gDefaultTool, 4);  // a new design keeps the default tool
  gDefaultTool = 0;
}
