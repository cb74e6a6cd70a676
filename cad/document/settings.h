// Board, grid and view settings of the design (gV).
#pragma once

#include <cstddef>
#include <cstdint>

// 80-byte record, stored raw in the design file.
struct DesignSettings {
  double zoom;          // view scale, pixels per millimetre
  double viewX, viewY;  // view offsets in design units
  double gridSpacing;
  double snapSpacing;
  double boardWidth, boardHeight;
  uint8_t reserved[8];  // kept as loaded, never interpreted
  double gripSize;
  double travelHeight;  // safe Z for every rapid move of the program
};
static_assert(sizeof(DesignSettings) == 80, "DesignSettings is the 80-byte file record");
static_assert(offsetof(DesignSettings, viewX) == 8 && offsetof(DesignSettings, viewY) == 16 &&
              offsetof(DesignSettings, gridSpacing) == 24 &&
              offsetof(DesignSettings, snapSpacing) == 32 &&
              offsetof(DesignSettings, boardWidth) == 40 &&
              offsetof(DesignSettings, boardHeight) == 48 &&
              offsetof(DesignSettings, reserved) == 56 &&
              offsetof(DesignSettings, gripSize) == 64 &&
              offsetof(DesignSettings, travelHeight) == 72,
              "DesignSettings field offsets");

extern DesignSettings gV;

// Sets every field of gV to its default; the reserved bytes stay as they are.
void resetSettings();
