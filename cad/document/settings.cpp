#include "cad/document/settings.h"

DesignSettings gV;

void resetSettings() {
  gV.zoom = 5.0;
  gV.viewX = 0;
  gV.viewY = 0;
  gV.gridSpacing = 2.0;
  gV.snapSpacing = 1.0;
  gV.boardWidth = 70.0;
  gV.boardHeight = 100.0;
  gV.gripSize = 10.0;
  gV.travelHeight = 5.0;
}
