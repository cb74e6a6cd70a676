// Fixture of the tests that work on the one design in memory: every test
// starts from a new design (default settings and tools, no objects) and
// leaves no objects behind.
#pragma once

#include <gtest/gtest.h>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"

class DesignTest : public ::testing::Test {
 protected:
  void SetUp() override { newDesign(); }
  void TearDown() override { resetObjs(); }
};
