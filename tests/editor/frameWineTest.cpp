// The fast redraw against the real graphics control under Wine: after every
// random editing event that frameChanges lets through, the previous frame
// with the changed rectangles redrawn (the back buffer clipped to them) has
// exactly the pixels of the new full frame. This checks the pixel boxes
// against the platform's own wide pens, circles and rectangles.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "cad/editor/boardView.h"
#include "cad/editor/frameChange.h"
#include "tests/editor/editorFixture.h"
#include "tests/editor/randomEditing.h"
#include "tests/gfx/gfxFixture.h"

namespace {

const int W = 380, H = 540;

// A copy of the back buffer's W x H corner.
class BackCopy {
 public:
  explicit BackCopy(HDC backDC) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = W;
    info.bmiHeader.biHeight = -H;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(backDC);
    bitmap_ = CreateDIBSection(backDC, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    BitBlt(dc_, 0, 0, W, H, backDC, 0, 0, SRCCOPY);
    GdiFlush();
  }
  ~BackCopy() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  BackCopy(const BackCopy&) = delete;
  BackCopy& operator=(const BackCopy&) = delete;

  void restoreTo(HDC backDC) const { BitBlt(backDC, 0, 0, W, H, dc_, 0, 0, SRCCOPY); }
  const uint32_t* pixels() const { return static_cast<const uint32_t*>(bits_); }
  int differences(const BackCopy& other) const {
    int n = 0;
    for (int i = 0; i < W * H; i++) n += pixels()[i] != other.pixels()[i];
    return n;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  void* bits_ = nullptr;
};

}  // namespace

class FrameWine : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_EQ(ZuGfxInit(), 1);
    container_ = makeContainer(W, H);
    view_ = makeControl(container_, 0, 0, W, H);
    ASSERT_NE(getGfx(view_), nullptr);
  }
  void TearDown() override {
    DestroyWindow(GetParent(container_));
    ZuGfxClose();
    EditorTest::TearDown();
  }
  HDC backDC() const { return getGfx(view_)->backDC; }

  HWND container_ = nullptr;
  HWND view_ = nullptr;
};

TEST_F(FrameWine, PreviousFramePlusClippedRedrawIsTheNewFrame) {
  std::mt19937 random(7);
  int partial = 0, changedFrames = 0;
  for (int design = 0; design < 6; design++) {
    makeRandomDesign(&random, 30, design % 2 ? 2.5 : 11.7);  // pens of 12 to 58 pixels
    RandomPointer pointer;
    drawFrame(fullFrame(view_, pointer.x, pointer.y));
    for (int step = 0; step < 50; step++) {
      const FrameSnapshot before = takeFrameSnapshot(pointer.x, pointer.y);
      const BackCopy shown(backDC());
      randomEditorEvent(&random, &pointer, W, H);
      std::vector<PixelRect> rects;
      const bool partialOk =
          frameChanges(before, takeFrameSnapshot(pointer.x, pointer.y), &rects);
      drawFrame(fullFrame(view_, pointer.x, pointer.y));
      if (!partialOk) continue;
      partial++;
      const BackCopy full(backDC());
      changedFrames += shown.differences(full) != 0;
      shown.restoreTo(backDC());
      if (!rects.empty()) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        for (const PixelRect& r : rects) {
          HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
          CombineRgn(region, region, part, RGN_OR);
          DeleteObject(part);
        }
        SelectClipRgn(backDC(), region);
        DeleteObject(region);
        FrameRequest request = fullFrame(view_, pointer.x, pointer.y);
        request.clips = rects.data();
        request.clipCount = static_cast<int>(rects.size());
        request.flip = false;
        request.lean = step % 2;
        drawFrame(request);
        SelectClipRgn(backDC(), nullptr);
      }
      const BackCopy fast(backDC());
      ASSERT_EQ(fast.differences(full), 0) << "design " << design << " step " << step;
    }
  }
  EXPECT_GT(partial, 150);
  EXPECT_GT(changedFrames, 60);
}
