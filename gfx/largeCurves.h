// Curved shapes (arcs, ellipses, pies) larger than the platform draws
// safely. Under Wine, Arc, Ellipse and Pie crash, hang or corrupt the heap
// once the box is about 920,000 pixels wide and high (tried from 1,024 to
// 2^31 pixels: nothing failed up to 881,744, square boxes failed from
// 920,782 on, some sizes above that still passed), and their time grows with
// the size (about 0.1 s at 2^18). The position of a box and the radial points
// of arcs and pies did not matter, up to the limits of 32 bits.
//
// Boxes up to PLATFORM_CURVE_LIMIT pixels wide and high, a factor of 3.5
// below the first failure, go to the platform. Larger ones are drawn as
// polylines (outlines) and polygons (filled shapes) that follow the curve
// within a quarter of a pixel where it passes near the buffer; coarse chords
// stand for the parts far from it, and everything is cut at the buffer
// widened by the pen, so the platform only sees coordinates near the buffer.
#pragma once

#include <vector>

constexpr long long PLATFORM_CURVE_LIMIT = 1LL << 18;

// Whether the platform may draw the curve of this box itself: its corners
// fit in 32 bits and it is at most PLATFORM_CURVE_LIMIT wide and high.
bool curveFitsPlatform(long long x1, long long y1, long long x2, long long y2);

struct CurvePoint {
  int x, y;
};
using CurveRun = std::vector<CurvePoint>;

// An arc of the ellipse inscribed in the box (x1, y1)-(x2, y2), corners in
// either order, its right and bottom edges outside the shape as for the
// platform's shapes. It runs from the ray from the centre through the start
// point counter-clockwise on the screen to the ray through the end point;
// the whole ellipse when the two rays are the same.
struct CurveArc {
  double x1, y1, x2, y2;
  double startX, startY, endX, endY;
};

// The surface drawn on, (0, 0) to (width, height), and how far outside it a
// line still leaves a mark (half the pen's width and a little more).
struct CurveClip {
  int width, height;
  double margin;
};

// The arc as polylines, each cut at the surface widened by the margin.
std::vector<CurveRun> arcOutline(const CurveArc& arc, const CurveClip& clip);

// The area of the whole ellipse, or with `pie` the area between the arc and
// the two radii to its ends, as one polygon cut at the surface widened by
// the margin. Empty when none of it comes that near.
CurveRun curveRegion(const CurveArc& arc, bool pie, const CurveClip& clip);
