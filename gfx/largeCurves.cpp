#include "gfx/largeCurves.h"

#include <algorithm>
#include <climits>
#include <cmath>

bool curveFitsPlatform(long long x1, long long y1, long long x2, long long y2) {
  for (long long v : {x1, y1, x2, y2})
    if (v < INT_MIN || v > INT_MAX) return false;
  return std::llabs(x2 - x1) <= PLATFORM_CURVE_LIMIT && std::llabs(y2 - y1) <= PLATFORM_CURVE_LIMIT;
}

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double TOLERANCE = 0.25;     // pixels between the curve and a chord
constexpr int MAX_DEPTH = 48;          // halvings of a quarter turn
constexpr size_t MAX_PIECES = 1 << 16; // beyond this, chords are no longer split
constexpr double MAX_MARGIN = 1 << 30;

struct Point {
  double x, y;
};

struct Rect {
  double left, top, right, bottom;
};

// The ellipse x = cx + a cos t, y = cy + b sin t. With y growing downward, t
// grows clockwise on the screen.
struct Ellipse {
  double cx, cy, a, b;
  Point at(double t) const { return {cx + a * std::cos(t), cy + b * std::sin(t)}; }
  // Parameter of the point where the ray from the centre through (x, y)
  // meets the ellipse.
  double angleOf(double x, double y) const { return std::atan2((y - cy) * a, (x - cx) * b); }
};

Ellipse _ellipse(const CurveArc& arc) {
  // The outline runs through the pixels from the left edge to the one before
  // the right edge, as the platform draws it.
  const double left = std::min(arc.x1, arc.x2), right = std::max(arc.x1, arc.x2);
  const double top = std::min(arc.y1, arc.y2), bottom = std::max(arc.y1, arc.y2);
  return {(left + right - 1) / 2, (top + bottom - 1) / 2, std::max(0.0, (right - left - 1) / 2),
          std::max(0.0, (bottom - top - 1) / 2)};
}

Rect _area(const CurveClip& clip) {
  const double m = std::min(std::max(clip.margin, 1.0), MAX_MARGIN);
  return {-m, -m, clip.width + m, clip.height + m};
}

// One piece of the walk: where it ends, and whether it passes near the area
// (a piece far from it is a single coarse chord).
struct Piece {
  Point end;
  bool near;
};

// Walks the arc in chords, split until each is within the tolerance of the
// curve wherever the curve may come near the area.
class Walker {
 public:
  Walker(const Ellipse& e, const Rect& area) : e_(e), area_(area), radius_(std::max(e.a, e.b)) {}

  std::vector<Piece> walk(const CurveArc& arc, Point* first) {
    const double from = e_.angleOf(arc.endX, arc.endY);
    double sweep = std::fmod(e_.angleOf(arc.startX, arc.startY) - from, 2 * PI);
    if (sweep <= 0) sweep += 2 * PI;  // the same ray: the whole ellipse
    const int quarters = std::max(1, int(std::ceil(sweep / (PI / 2))));
    *first = e_.at(from);
    Point a = *first;
    for (int i = 1; i <= quarters; ++i) {
      const double p = from + sweep * (i - 1) / quarters, q = from + sweep * i / quarters;
      const Point b = e_.at(q);
      split(p, q, a, b, 0);
      a = b;
    }
    return std::move(pieces_);
  }

 private:
  // The curve between parameters p and q stays within `sag` of the chord ab.
  void split(double p, double q, Point a, Point b, int depth) {
    const double s = std::sin((q - p) / 4);
    const double sag = radius_ * 2 * s * s;
    const bool near = std::min(a.x, b.x) - sag <= area_.right &&
                      std::max(a.x, b.x) + sag >= area_.left &&
                      std::min(a.y, b.y) - sag <= area_.bottom &&
                      std::max(a.y, b.y) + sag >= area_.top;
    if (!near || sag <= TOLERANCE || depth >= MAX_DEPTH || pieces_.size() >= MAX_PIECES) {
      pieces_.push_back({b, near});
      return;
    }
    const double m = (p + q) / 2;
    const Point c = e_.at(m);
    split(p, m, a, c, depth + 1);
    split(m, q, c, b, depth + 1);
  }

  const Ellipse& e_;
  Rect area_;
  double radius_;
  std::vector<Piece> pieces_;
};

CurvePoint _round(Point p) { return {int(std::lround(p.x)), int(std::lround(p.y))}; }

// Cuts the segment ab to the rectangle (Liang-Barsky); false when none of it
// is inside.
bool _clipSegment(Point* a, Point* b, const Rect& r) {
  const double dx = b->x - a->x, dy = b->y - a->y;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a->x - r.left, r.right - a->x, a->y - r.top, r.bottom - a->y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  const Point start = {a->x + t0 * dx, a->y + t0 * dy};
  *b = {a->x + t1 * dx, a->y + t1 * dy};
  *a = start;
  return true;
}

// Cuts a closed polygon at one edge of the rectangle (Sutherland-Hodgman).
// `side` is 0 left, 1 right, 2 top, 3 bottom.
std::vector<Point> _clipPolygon(const std::vector<Point>& in, const Rect& r, int side) {
  auto inside = [&](Point p) {
    switch (side) {
      case 0: return p.x >= r.left;
      case 1: return p.x <= r.right;
      case 2: return p.y >= r.top;
      default: return p.y <= r.bottom;
    }
  };
  auto crossing = [&](Point a, Point b) {
    const double edge = side == 0 ? r.left : side == 1 ? r.right : side == 2 ? r.top : r.bottom;
    if (side < 2) {
      const double t = (edge - a.x) / (b.x - a.x);
      return Point{edge, a.y + t * (b.y - a.y)};
    }
    const double t = (edge - a.y) / (b.y - a.y);
    return Point{a.x + t * (b.x - a.x), edge};
  };
  std::vector<Point> out;
  for (size_t i = 0; i < in.size(); ++i) {
    const Point a = in[(i + in.size() - 1) % in.size()], b = in[i];
    if (inside(b)) {
      if (!inside(a)) out.push_back(crossing(a, b));
      out.push_back(b);
    } else if (inside(a)) {
      out.push_back(crossing(a, b));
    }
  }
  return out;
}

}  // namespace

std::vector<CurveRun> arcOutline(const CurveArc& arc, const CurveClip& clip) {
  const Ellipse e = _ellipse(arc);
  const Rect area = _area(clip);
  Point previous;
  const std::vector<Piece> pieces = Walker(e, area).walk(arc, &previous);
  std::vector<CurveRun> runs;
  bool open = false;  // the last run goes on at `previous`
  for (const Piece& piece : pieces) {
    Point a = previous, b = piece.end;
    previous = piece.end;
    if (!piece.near || !_clipSegment(&a, &b, area)) {
      open = false;
      continue;
    }
    if (!open) runs.push_back({_round(a)});
    runs.back().push_back(_round(b));
    // A chord cut short at its end leaves the area there.
    open = b.x == piece.end.x && b.y == piece.end.y;
  }
  return runs;
}

CurveRun curveRegion(const CurveArc& arc, bool pie, const CurveClip& clip) {
  const Ellipse e = _ellipse(arc);
  const Rect area = _area(clip);
  CurveArc whole = arc;
  if (!pie) {
    whole.startX = whole.endX;
    whole.startY = whole.endY;
  }
  Point first;
  const std::vector<Piece> pieces = Walker(e, area).walk(whole, &first);
  std::vector<Point> polygon;
  if (pie) polygon.push_back({e.cx, e.cy});
  polygon.push_back(first);
  for (const Piece& piece : pieces) polygon.push_back(piece.end);
  for (int side = 0; side < 4 && !polygon.empty(); ++side) polygon = _clipPolygon(polygon, area, side);
  CurveRun region;
  if (polygon.size() < 3) return region;
  for (Point p : polygon) region.push_back(_round(p));
  return region;
}
