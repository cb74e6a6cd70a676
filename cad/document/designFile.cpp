#include "cad/document/designFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "cad/document/obj.h"
#include "cad/document/settings.h"
#include "cad/document/tools.h"

static_assert(sizeof(DesignSettings) + sizeof(gTools) + sizeof(int32_t) == DESIGN_HEADER_SIZE,
              "design file header layout");
static_assert(sizeof(Obj) == DESIGN_RECORD_SIZE, "design file record layout");

const char* designErrorText(int status) {
  switch (status) {
    case DESIGN_OK: return "loaded";
    case DESIGN_CANNOT_OPEN: return "cannot be opened";
    case DESIGN_READ_ERROR: return "read error";
    case DESIGN_TOO_SHORT: return "not a design file: shorter than the 404-byte header";
    case DESIGN_BAD_COUNT: return "not a design file: negative object count";
    case DESIGN_TRUNCATED: return "not a design file or truncated: fewer object records than its count";
    case DESIGN_EXTRA_BYTES: return "not a design file: data after the last object record";
    case DESIGN_NO_MEMORY: return "too large to load: out of memory";
  }
  return "unknown error";
}

void newDesign() {
  resetSettings();
  resetTools();
  resetObjs();
}

namespace {

// Where a design is read from: a file or a block of bytes.
struct Source {
  FILE* file;
  const unsigned char* bytes;
  size_t left;
};

size_t _read(Source* src, void* dst, size_t n) {
  if (src->file) return fread(dst, 1, n, src->file);
  if (n > src->left) n = src->left;
  if (n == 0) return 0;
  memcpy(dst, src->bytes, n);
  src->bytes += n;
  src->left -= n;
  return n;
}

int _atEnd(Source* src) {
  if (!src->file) return src->left == 0;
  return fgetc(src->file) == EOF;
}

int _readError(Source* src) {
  return src->file && ferror(src->file);
}

// Reads a whole design into temporaries, then makes it the current design.
int _load(Source* src) {
  unsigned char header[DESIGN_HEADER_SIZE];
  if (_read(src, header, sizeof(header)) != sizeof(header))
    return _readError(src) ? DESIGN_READ_ERROR : DESIGN_TOO_SHORT;
  int32_t count;
  memcpy(&count, header + sizeof(DesignSettings) + sizeof(gTools), sizeof(count));
  if (count < 0) return DESIGN_BAD_COUNT;

  // Records are read in blocks so memory grows only with what the input
  // really holds, whatever its count claims.
  enum { BLOCK = 1024 };
  std::vector<Obj> records;
  size_t want = static_cast<size_t>(count);
  while (records.size() < want) {
    size_t n = want - records.size();
    if (n > BLOCK) n = BLOCK;
    size_t have = records.size();
    records.resize(have + n);
    size_t got = _read(src, &records[have], n * sizeof(Obj));
    if (got != n * sizeof(Obj))
      return _readError(src) ? DESIGN_READ_ERROR : DESIGN_TRUNCATED;
  }
  if (!_atEnd(src)) return DESIGN_EXTRA_BYTES;
  if (_readError(src)) return DESIGN_READ_ERROR;

  Link* head = nullptr;
  Link* tail = nullptr;
  for (const Obj& rec : records) {
    Obj* obj = static_cast<Obj*>(malloc(sizeof(Obj)));
    Link* link = obj ? newLink(&head, LINK_AFTER, tail, obj) : nullptr;
    if (!link) {
      free(obj);
      freeObjList(&head);
      return DESIGN_NO_MEMORY;
    }
    memcpy(obj, &rec, sizeof(Obj));
    tail = link;
  }
  resetObjs();
  gObjList = head;
  memcpy(&gV, header, sizeof(gV));
  memcpy(gTools, header + sizeof(gV), sizeof(gTools));
  return DESIGN_OK;
}

int _loadGuarded(Source* src) {
  try {
    return _load(src);
  } catch (const std::bad_alloc&) {
    return DESIGN_NO_MEMORY;
  }
}

}  // namespace

int loadFromBytes(const unsigned char* bytes, size_t size) {
  Source src = {nullptr, bytes, bytes ? size : 0};
  return _loadGuarded(&src);
}

int loadFromFile(const char* path) {
  FILE* f = path ? fopen(path, "rb") : nullptr;
  if (!f) return DESIGN_CANNOT_OPEN;
  Source src = {f, nullptr, 0};
  int status = _loadGuarded(&src);
  fclose(f);
  return status;
}

std::vector<unsigned char> designBytes() {
  int32_t count = static_cast<int32_t>(objCount());
  std::vector<unsigned char> out(DESIGN_HEADER_SIZE + sizeof(Obj) * static_cast<size_t>(count));
  unsigned char* p = out.data();
  memcpy(p, &gV, sizeof(gV));
  memcpy(p + sizeof(gV), gTools, sizeof(gTools));
  memcpy(p + sizeof(gV) + sizeof(gTools), &count, sizeof(count));
  p += DESIGN_HEADER_SIZE;
  for (Link* l = gObjList; l; l = l->next, p += sizeof(Obj))
    memcpy(p, l->data, sizeof(Obj));
  return out;
}

int saveToFile(const char* path) {
  FILE* f = path ? fopen(path, "wb") : nullptr;
  if (!f) return 0;
  int ok = 0;
  try {
    std::vector<unsigned char> bytes = designBytes();
    ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  } catch (const std::bad_alloc&) {
  }
  if (fclose(f) != 0) ok = 0;
  return ok;
}
