#include "cad/gcode/generate.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"
#include "cad/gcode/numberFormat.h"
#include "cad/gcode/programBuffer.h"

// 2 pi as the program has always used it: one unit in the last place above
// the double nearest to 2 pi. Chord counts, steps and the bound depend on it.
static const double TWO_PI = 6.283185307179587;

FILE* outFile = nullptr;

static char gEtchError[256];

const char* etchError() {
  return gEtchError;
}

// "g0z<travel height>\r\n", the start of every travel.
static char gTravel[FIXED2_MAX + 8];
static size_t gTravelLen;

namespace {

char* _put(char* p, const char* text, size_t n) {
  memcpy(p, text, n);
  return p + n;
}

template <size_t N>
char* _put(char* p, const char (&text)[N]) {
  return _put(p, text, N - 1);
}

template <size_t N>
void _text(const char (&text)[N]) {
  textDone(_put(textLine(), text));
}

}  // namespace

void gcodeBegin(GcodeSink sink, void* ctx) {
  textBegin(sink, ctx);
  char* p = _put(gTravel, "g0z");
  p = formatFixed2(p, gV.travelHeight);
  p = _put(p, "\r\n");
  gTravelLen = static_cast<size_t>(p - gTravel);
}

int gcodeEnd() {
  return textEnd();
}

namespace {

void _liftToTravelHeight() {
  textDone(_put(textLine(), gTravel, gTravelLen));
}

// Rapid up to the travel height, across to (x, y), down to Z 0.
void _travel(double x, double y) {
  char* p = _put(textLine(), gTravel, gTravelLen);
  p = _put(p, "g0x");
  p = formatFixed2(p, x);
  p = _put(p, "y");
  p = formatFixed2(p, y);
  textDone(_put(p, "\r\ng0z0\r\n"));
}

// Feed down to -depth.
void _plunge(double depth) {
  char* p = _put(textLine(), "g1z");
  passMark(p);  // the depth is what differs between passes
  p = formatFixed2(p, 0 - depth);
  textDone(_put(p, "\r\n"));
}

// Feed in a straight line to (x, y).
void _cut(double x, double y) {
  char* p = _put(textLine(), "g1x");
  p = formatFixed2(p, x);
  p = _put(p, "y");
  p = formatFixed2(p, y);
  textDone(_put(p, "\r\n"));
}

}  // namespace

void rectangle(double x1, double y1, double x2, double y2, double depth) {
  _travel(x1, y1);
  _plunge(depth);
  _cut(x1, y2);
  _cut(x2, y2);
  _cut(x2, y1);
  _cut(x1, y1);
}

void circle(double cx, double cy, double radius, double depth) {
  double n = 2 * TWO_PI * radius;
  if (n < 1) n = 1;
  double s = TWO_PI / n;
  _travel(cx + radius * std::cos(0.0), cy + radius * std::sin(0.0));
  _plunge(depth);
  double bound = TWO_PI + s;
  for (double a = 0; a < bound && !textFailed();) {
    _cut(cx + radius * std::cos(a), cy + radius * std::sin(a));
    double next = a + s;
    if (next == a) break;  // a step too small to advance the angle
    a = next;
  }
}

// Fills step by at least the smallest distance the program's two-decimal
// numbers express. A bit size of 0, negative, not a number or so small that
// the rings could not be told apart gets its outline only: such a fill would
// never end, or write rings by the billion.
static const double MIN_FILL_STEP = 0.01;

namespace {

// Outline and, when filled, concentric inner rings s = size / OVERLAPFACTOR
// apart. The outline is cut as stored; the inner rings come from the
// ordered corners, so a rectangle drawn right-to-left or bottom-to-top is
// filled like its ordered twin.
void _rectangleRings(const Obj* o, double size, double depth) {
  rectangle(o->x1, o->y1, o->x2, o->y2, depth);
  double s = size / OVERLAPFACTOR;
  if (!o->fill || !(s >= MIN_FILL_STEP)) return;
  double left = std::fmin(o->x1, o->x2), right = std::fmax(o->x1, o->x2);
  double bottom = std::fmin(o->y1, o->y2), top = std::fmax(o->y1, o->y2);
  while (!textFailed()) {
    double l = left + s, r = right - s, b = bottom + s, t = top - s;
    if (r < l || t < b) return;
    if (l == left && r == right && b == bottom && t == top) return;  // no progress
    left = l, right = r, bottom = b, top = t;
    rectangle(left, bottom, right, top, depth);
  }
}

void _circleRings(const Obj* o, double size, double depth) {
  double s = size / OVERLAPFACTOR;
  double r = o->radius;
  circle(o->x1, o->y1, r, depth);
  if (!o->fill || !(s >= MIN_FILL_STEP)) return;
  while (!textFailed()) {
    double next = r - s;
    if (next < s || next == r) return;
    r = next;
    circle(o->x1, o->y1, r, depth);
  }
}

// The tool entry an object is cut with, or null if it is never cut: a tool
// index outside the table, or a bit number above 9.
Tool* _cutTool(const Obj* o) {
  Tool* t = toolAt(o->tool);
  return t && t->bitId < TOOL_COUNT ? t : nullptr;
}

const char* _kindName(int32_t type) {
  switch (type) {
    case OBJ_LINE: return "line";
    case OBJ_RECT: return "rectangle";
    case OBJ_CIRCLE: return "circle";
    case OBJ_DRILL: return "drill point";
  }
  return "object";
}

// Which number of the object's toolpath would not be finite; null if none.
const char* _objFault(const Obj* o, const Tool* t) {
  if (!std::isfinite(t->depth)) return "its tool's depth is not a finite number";
  if (!std::isfinite(o->x1) || !std::isfinite(o->y1)) return "a coordinate is not a finite number";
  switch (o->type) {
    case OBJ_LINE:
    case OBJ_RECT:
      if (!std::isfinite(o->x2) || !std::isfinite(o->y2)) return "a coordinate is not a finite number";
      break;
    case OBJ_CIRCLE: {
      if (!std::isfinite(o->radius)) return "the radius is not a finite number";
      double r = std::fabs(o->radius);
      if (!std::isfinite(2 * TWO_PI * r) || !std::isfinite(o->x1 + r) ||
          !std::isfinite(o->x1 - r) || !std::isfinite(o->y1 + r) || !std::isfinite(o->y1 - r))
        return "the circle is too large";
      break;
    }
  }
  return nullptr;
}

}  // namespace

int checkDesign() {
  gEtchError[0] = 0;
  if (!std::isfinite(gV.travelHeight)) {
    snprintf(gEtchError, sizeof(gEtchError), "the travel height is not a finite number");
    return 0;
  }
  unsigned index = 0;
  for (Link* l = gObjList; l; l = l->next) {
    const Obj* o = ListToObj(l);
    index++;
    const Tool* t = _cutTool(o);
    if (!t || o->type < OBJ_LINE || o->type > OBJ_DRILL) continue;  // writes no numbers
    if (const char* fault = _objFault(o, t)) {
      snprintf(gEtchError, sizeof(gEtchError), "object %u (%s): %s", index, _kindName(o->type),
               fault);
      return 0;
    }
  }
  return 1;
}

namespace {

// One object at one pass depth.
void _cutObj(const Obj* o, const Tool* t, double depth) {
  switch (o->type) {
    case OBJ_LINE:
      _travel(o->x1, o->y1);
      _plunge(depth);
      _cut(o->x2, o->y2);
      break;
    case OBJ_RECT:
      _rectangleRings(o, t->size, depth);
      break;
    case OBJ_CIRCLE:
      _circleRings(o, t->size, depth);
      break;
    case OBJ_DRILL:
      _travel(o->x1, o->y1);
      _plunge(depth);
      break;
  }
}

void _bitChange(int bit) {
  char* p = _put(textLine(), ";1. Install bit ");
  p = formatInt(p, bit);
  textDone(_put(p, " and then rezero z axis\r\n"
                ";2. press z up and z down same time to resume\r\n"
                "g0z0\r\nm103\r\nm200\r\nm104\r\ng92z0\r\n"));
  _liftToTravelHeight();
}

void _feed(uint32_t millSpeed) {
  char* p = _put(textLine(), "f");
  p = formatInt(p, static_cast<int32_t>(millSpeed));  // as "%i" prints it
  textDone(_put(p, "\r\n"));
}

// The object in all passes of its tool: pass j at depth / passes x (j + 1).
// The first pass is recorded and the others are copies of it with their
// own depth, unless it is too long to record.
void _cutPasses(const Obj* o, const Tool* t) {
  double passes = t->passes;
  auto depth = [&](uint32_t j) { return t->depth / passes * (j + 1); };
  if (t->passes == 1) {
    _cutObj(o, t, depth(0));
    return;
  }
  passRecord();
  _cutObj(o, t, depth(0));
  if (!passEnd()) {
    for (uint32_t j = 1; j < t->passes && !textFailed(); j++) _cutObj(o, t, depth(j));
    return;
  }
  char first[FIXED2_MAX], number[FIXED2_MAX];
  size_t firstLen = static_cast<size_t>(formatFixed2(first, 0 - depth(0)) - first);
  for (uint32_t j = 1; j < t->passes && !textFailed(); j++) {
    size_t len = static_cast<size_t>(formatFixed2(number, 0 - depth(j)) - number);
    passRepeat(firstLen, number, len);
  }
}

// The objects that are cut, grouped by bit number and in list order within
// a bit: those of bit i are order[first[i]] to order[first[i + 1] - 1].
// One walk of the list instead of one for each bit. 0 if there is no memory
// for the order.
int _cutOrder(std::vector<const Obj*>& order, size_t (&first)[TOOL_COUNT + 1]) {
  size_t count[TOOL_COUNT] = {};
  for (Link* l = gObjList; l; l = l->next)
    if (const Tool* t = _cutTool(ListToObj(l))) count[t->bitId]++;
  first[0] = 0;
  for (int i = 0; i < TOOL_COUNT; i++) first[i + 1] = first[i] + count[i];
  try {
    order.resize(first[TOOL_COUNT]);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  size_t at[TOOL_COUNT];
  std::copy(first, first + TOOL_COUNT, at);
  for (Link* l = gObjList; l; l = l->next) {
    const Obj* o = ListToObj(l);
    if (const Tool* t = _cutTool(o)) order[at[t->bitId]++] = o;
  }
  return 1;
}

// The objects cut with bit number bit, each in its passes.
void _cutBit(int bit, const Obj* const* objs, size_t count) {
  for (size_t i = 0; i < count && !textFailed(); i++) {
    const Obj* o = objs[i];
    Tool* t = _cutTool(o);
    if (i == 0 && bit != 0 && gTools[bit - 1].size != gTools[bit].size) _bitChange(bit);
    if (t->passes == 0) t->passes = 1;
    if (o->type < OBJ_LINE || o->type > OBJ_DRILL) continue;  // nothing to cut
    _cutPasses(o, t);
  }
}

}  // namespace

int etchTo(GcodeSink sink, void* ctx) {
  if (!checkDesign()) return 0;
  std::vector<const Obj*> order;
  size_t first[TOOL_COUNT + 1];
  if (!_cutOrder(order, first)) {
    snprintf(gEtchError, sizeof(gEtchError), "out of memory");
    return 0;
  }
  errno = 0;
  gcodeBegin(sink, ctx);
  _text("m101\r\ng21\r\ng90\r\ng94\r\n"
        ";1. Zero the machine to the part\r\n"
        ";2. press z up and z down same time to resume\r\n"
        "m103\r\nm200\r\nm104\r\ng92x0y0z0\r\n");
  _liftToTravelHeight();
  for (int bit = 0; bit < TOOL_COUNT && !textFailed(); bit++) {
    _feed(gTools[bit].millSpeed);
    _cutBit(bit, order.data() + first[bit], first[bit + 1] - first[bit]);
  }
  _liftToTravelHeight();
  _text("g0x0y0\r\ng0z0\r\nm102\r\nm104\r\n");
  if (gcodeEnd()) return 1;
  snprintf(gEtchError, sizeof(gEtchError), "write failed: %s",
           errno ? strerror(errno) : "output refused");
  return 0;
}

namespace {

int _fileSink(void* ctx, const char* data, size_t size) {
  return fwrite(data, 1, size, static_cast<FILE*>(ctx)) == size;
}

}  // namespace

FILE* openOutFile(const char* path) {
  outFile = fopen(path, "wb");
  return outFile;
}

int closeOutFile() {
  if (!outFile) return 0;
  int ok = fclose(outFile) == 0;
  outFile = nullptr;
  return ok;
}

int Etch() {
  if (!outFile) {
    snprintf(gEtchError, sizeof(gEtchError), "no output file");
    return 0;
  }
  return etchTo(_fileSink, outFile);
}

namespace {

// Removes what a failed write left at path, if that is a plain file: the
// name of a device or pipe written to (such as /dev/stdout) must stay.
void _removeFailedOutput(const char* path) {
  struct stat st;
  if (stat(path, &st) == 0 && S_ISREG(st.st_mode)) remove(path);
}

}  // namespace

int writeProgramFile(const char* path) {
  if (!checkDesign()) return 0;
  errno = 0;
  if (!openOutFile(path)) {
    snprintf(gEtchError, sizeof(gEtchError), "cannot create the output file: %s",
             strerror(errno));
    return 0;
  }
  errno = 0;
  int ok = Etch();
  if (!closeOutFile() && ok) {
    snprintf(gEtchError, sizeof(gEtchError), "write failed: %s",
             errno ? strerror(errno) : "output refused");
    ok = 0;
  }
  if (!ok) _removeFailedOutput(path);
  return ok;
}
