// The program buffer: text reaches the sink whole and in order, and a
// recorded pass is repeated with its marked numbers replaced.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cad/gcode/programBuffer.h"

namespace {

struct Received {
  std::string text;
  int calls;
  int refuseFrom;  // the call that fails first; 0 for none
};

int _sink(void* ctx, const char* data, size_t size) {
  Received* r = static_cast<Received*>(ctx);
  if (r->refuseFrom && ++r->calls >= r->refuseFrom) return 0;
  r->text.append(data, size);
  return 1;
}

void _add(const std::string& text) {
  char* p = textLine();
  memcpy(p, text.data(), text.size());
  textDone(p + text.size());
}

// Adds "<before><number><after>", marking the number.
void _addMarked(const char* before, const char* number, const char* after) {
  char* p = textLine();
  size_t n = strlen(before);
  memcpy(p, before, n);
  p += n;
  passMark(p);
  for (const char* s : {number, after}) {
    n = strlen(s);
    memcpy(p, s, n);
    p += n;
  }
  textDone(p);
}

std::string _numbered(int i) {
  return "line " + std::to_string(i) + "\n";
}

}  // namespace

TEST(ProgramBuffer, TextArrivesWholeAndInOrder) {
  Received r = {"", 0, 0};
  textBegin(_sink, &r);
  std::string expect;
  for (int i = 0; i < 100000; i++) {  // many blocks
    _add(_numbered(i));
    expect += _numbered(i);
  }
  EXPECT_EQ(textEnd(), 1);
  EXPECT_TRUE(r.text == expect);
}

TEST(ProgramBuffer, RecordedPassIsRepeatedWithItsMarksReplaced) {
  Received r = {"", 0, 0};
  textBegin(_sink, &r);
  _add("before\n");
  passRecord();
  _addMarked("z", "-0.10", "\n");
  _add("cut\n");
  _addMarked("z", "-0.10", " and on\n");
  EXPECT_EQ(r.text, "");
  ASSERT_EQ(passEnd(), 1);
  passRepeat(5, "-10.20", 6);
  passRepeat(5, "-3", 2);
  _add("after\n");
  EXPECT_EQ(textEnd(), 1);
  EXPECT_EQ(r.text,
            "before\n"
            "z-0.10\ncut\nz-0.10 and on\n"
            "z-10.20\ncut\nz-10.20 and on\n"
            "z-3\ncut\nz-3 and on\n"
            "after\n");

  // Marks belong to one recording only; outside one they are ignored.
  r.text.clear();
  textBegin(_sink, &r);
  _addMarked("a", "1", "\n");
  passRecord();
  _addMarked("b", "2", "\n");
  ASSERT_EQ(passEnd(), 1);
  passRepeat(1, "7", 1);
  EXPECT_EQ(textEnd(), 1);
  EXPECT_EQ(r.text, "a1\nb2\nb7\n");
}

TEST(ProgramBuffer, APassTooLongToRecordGoesOutAsWritten) {
  Received r = {"", 0, 0};
  textBegin(_sink, &r);
  _add("before\n");
  passRecord();
  std::string expect = "before\n";
  for (int i = 0; i < 300000; i++) {  // megabytes
    _add(_numbered(i));
    expect += _numbered(i);
  }
  EXPECT_NE(r.text, "");  // handed over before the pass ended
  EXPECT_EQ(passEnd(), 0);
  _add("after\n");
  EXPECT_EQ(textEnd(), 1);
  EXPECT_TRUE(r.text == expect + "after\n");
}

TEST(ProgramBuffer, ARefusingSinkIsOfferedNothingMore) {
  Received r = {"", 0, 1};
  textBegin(_sink, &r);
  passRecord();
  for (int i = 0; i < 20000; i++) _addMarked("z", "1", "\n");
  ASSERT_EQ(passEnd(), 1);
  for (int i = 0; i < 50 && !textFailed(); i++) passRepeat(1, "2", 1);
  ASSERT_EQ(textFailed(), 1);
  int calls = r.calls;
  passRepeat(1, "3", 1);
  _add("more\n");
  EXPECT_EQ(textEnd(), 0);
  EXPECT_EQ(r.calls, calls);
  EXPECT_EQ(r.text, "");
}
