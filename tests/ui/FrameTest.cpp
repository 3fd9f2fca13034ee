// The self-drawn frame, pixel by pixel: the gradient, the title strip, the caption, the caption
// buttons with their glyphs and the border.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Harness.h"
#include "MUFrame.h"

namespace orv::test {
namespace {

constexpr COLORREF kLine = RGB(218, 199, 226);
constexpr COLORREF kStrip = RGB(235, 226, 241);
constexpr COLORREF kPurple = RGB(163, 115, 183);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kUnpainted = RGB(1, 2, 3);

// A 32-bit memory bitmap, read back pixel by pixel.
class Pixels {
 public:
  Pixels(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) Set(x, y, kUnpainted);
  }
  ~Pixels() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  Pixels(const Pixels&) = delete;
  Pixels& operator=(const Pixels&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const DWORD bgr = static_cast<const DWORD*>(bits_)[y * width_ + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
  }
  std::vector<DWORD> All() const {
    GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits_);
    return {p, p + width_ * height_};
  }

 private:
  void Set(int x, int y, COLORREF c) {
    static_cast<DWORD*>(bits_)[y * width_ + x] =
        GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
  }
  int width_, height_;
  void* bits_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

std::string Rgb(COLORREF c) {
  char text[24];
  snprintf(text, sizeof text, "(%u, %u, %u)", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

// The colour of the background gradient in row y of the 463 rows of the window.
struct Row {
  int y;
  COLORREF colour;
};
constexpr Row kRows[] = {
    {0, RGB(203, 234, 250)},   {58, RGB(205, 230, 247)},  {116, RGB(207, 225, 244)},
    {232, RGB(211, 216, 238)}, {348, RGB(214, 208, 232)}, {406, RGB(216, 203, 229)},
    {462, RGB(218, 199, 226)}, {463, RGB(218, 199, 226)},
};

void Gradient(Pixels& pixels, const RECT& rect, COLORREF from, COLORREF to, bool vertical,
              ui::Canvas& canvas) {
  ui::Canvas::Session session(canvas, pixels.dc());
  ui::DrawGradient(canvas, rect, from, to, vertical);
}

TEST(DrawGradient, RowsOfTheWindowsBackgroundAndTheLineOnTheBottomEdge) {
  ui::Canvas canvas;
  for (bool vertical : {true, false}) {
    // One line more than the span: the last one lies on the bottom (or right) edge.
    Pixels pixels(vertical ? 4 : 464, vertical ? 464 : 4);
    const RECT rect = vertical ? RECT{0, 0, 3, 463} : RECT{0, 0, 463, 3};
    Gradient(pixels, rect, RGB(203, 234, 250), kLine, vertical, canvas);
    for (const Row& row : kRows) {
      const COLORREF got = vertical ? pixels.At(1, row.y) : pixels.At(row.y, 1);
      EXPECT_EQ(Rgb(got), Rgb(row.colour)) << "line " << row.y << " vertical " << vertical;
    }
    // Lines stop before their end point.
    EXPECT_EQ(vertical ? pixels.At(3, 10) : pixels.At(10, 3), kUnpainted);
    EXPECT_EQ(canvas.Current().pen, kLine);
  }
}

TEST(DrawGradient, HalvesRoundToTheEvenNeighbour) {
  // Over a span of 4 a difference of 2 steps by one half.
  const struct {
    COLORREF from, to;
    COLORREF line1, line3;
  } cases[] = {
      {RGB(0, 10, 9), RGB(2, 8, 7), RGB(0, 10, 8), RGB(2, 8, 8)},
      {RGB(1, 0, 255), RGB(3, 0, 253), RGB(2, 0, 254), RGB(2, 0, 254)},
  };
  // Whatever precision and rounding the x87 unit was left in (here also 24 bits, towards
  // zero), and left so again afterwards.
  unsigned short asFound = 0;
  __asm__ volatile("fnstcw %0" : "=m"(asFound));
  const unsigned short chopped = static_cast<unsigned short>((asFound & ~0x0F00) | 0x0C00);
  for (unsigned short control : {asFound, chopped}) {
    __asm__ volatile("fldcw %0" : : "m"(control) : "memory");
    for (const auto& c : cases) {
      ui::Canvas canvas;
      Pixels pixels(1, 5);
      Gradient(pixels, {0, 0, 1, 4}, c.from, c.to, true, canvas);
      EXPECT_EQ(Rgb(pixels.At(0, 0)), Rgb(c.from));
      EXPECT_EQ(Rgb(pixels.At(0, 1)), Rgb(c.line1)) << control;
      EXPECT_EQ(Rgb(pixels.At(0, 3)), Rgb(c.line3)) << control;
      EXPECT_EQ(Rgb(pixels.At(0, 4)), Rgb(c.to));
    }
    unsigned short after = 0;
    __asm__ volatile("fnstcw %0" : "=m"(after));
    EXPECT_EQ(after, control);
  }
  __asm__ volatile("fldcw %0" : : "m"(asFound) : "memory");
}

TEST(DrawGradient, AnEmptySpanDrawsNothing) {
  ui::Canvas canvas;
  Pixels pixels(4, 4);
  Gradient(pixels, {0, 2, 4, 2}, RGB(0, 0, 0), RGB(255, 255, 255), true, canvas);
  Gradient(pixels, {0, 3, 4, 1}, RGB(0, 0, 0), RGB(255, 255, 255), true, canvas);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(pixels.At(x, y), kUnpainted);
}

class DesignerFrame : public Designer {
 protected:
  // The frame as a paint draws it, without the controls on it.
  void Paint(Pixels& pixels) {
    SendMessageA(Form().Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pixels.dc()),
                 PRF_CLIENT);
  }
  struct Point {
    int x, y;
    COLORREF colour;
    const char* what;
  };
  void Expect(const Pixels& pixels, const std::vector<Point>& points) {
    for (const Point& p : points)
      EXPECT_EQ(Rgb(pixels.At(p.x, p.y)), Rgb(p.colour)) << p.what << " at " << p.x << ", " << p.y;
  }
};

constexpr int W = ui::kClientWidth, H = ui::kClientHeight;

TEST_F(DesignerFrame, BackgroundStripAndBorder) {
  Start();
  Pixels pixels(W, H);
  Paint(pixels);
  std::vector<Point> points;
  // Column 3 lies between the left border and the strip.
  for (const Row& row : kRows)
    if (row.y > 0 && row.y < H) points.push_back({3, row.y, row.colour, "gradient"});
  const COLORREF row20 = pixels.At(3, 20);
  points.insert(points.end(), {
                                  {300, 20, kStrip, "strip fill"},
                                  {8, 8, kStrip, "strip fill inside its corner"},
                                  {100, 5, kLine, "strip top"},
                                  {100, 34, kLine, "strip bottom"},
                                  {100, 35, pixels.At(3, 35), "below the strip"},
                                  {5, 20, kLine, "strip left"},
                                  {W - 9, 20, kLine, "strip right"},
                                  {W - 8, 20, row20, "right of the strip"},
                                  {0, 1, kLine, "left border"},
                                  {0, 200, kLine, "left border"},
                                  {0, H - 1, kLine, "left border"},
                                  {W - 2, 1, kLine, "right border"},
                                  {W - 2, 200, kLine, "right border"},
                                  {W - 2, H - 1, kLine, "right border"},
                                  {W - 3, 200, pixels.At(3, 200), "inside the right border"},
                                  {W - 1, 200, pixels.At(3, 200), "outside the right border"},
                                  {1, 0, kLine, "top border"},
                                  {300, 0, kLine, "top border"},
                                  {W - 1, 0, kLine, "top border"},
                              });
  Expect(pixels, points);
  EXPECT_EQ(Rgb(row20), Rgb(RGB(204, 232, 249)));
  // Nothing but the gradient's last row at the bottom, and nothing left unpainted.
  for (int x = 0; x < W; ++x) ASSERT_EQ(Rgb(pixels.At(x, H - 1)), Rgb(kLine)) << x;
  for (DWORD p : pixels.All()) ASSERT_NE(p, 0x010203u);
}

TEST_F(DesignerFrame, CaptionButtonsAndTheirGlyphs) {
  Start();
  Pixels pixels(W, H);
  Paint(pixels);
  std::vector<Point> points;
  // Outlines: left column, right column (one before the right edge), top and bottom rows.
  for (int right : {20, 45, 70}) {
    const int left = W - right - 20;
    points.insert(points.end(), {
                                    {left, 20, kLine, "button left"},
                                    {left - 1, 20, kStrip, "left of the button"},
                                    {W - right - 1, 20, kLine, "button right"},
                                    {W - right, 20, kStrip, "right of the button"},
                                    {left + 10, 10, kLine, "button top"},
                                    {left + 10, 9, kStrip, "above the button"},
                                    {left + 10, 29, kLine, "button bottom"},
                                    {left + 10, 30, kStrip, "below the button"},
                                    {left + 2, 12, kStrip, "inside the button"},
                                });
  }
  points.insert(points.end(), {
                                  {W - 35, 15, kLine, "cross"},
                                  {W - 30, 20, kLine, "cross"},
                                  {W - 25, 25, kLine, "cross"},
                                  {W - 24, 26, kStrip, "cross, end of a line"},
                                  {W - 25, 15, kLine, "cross"},
                                  {W - 35, 25, kLine, "cross"},
                                  {W - 36, 26, kStrip, "cross, end of a line"},
                                  {W - 60, 26, kLine, "bar"},
                                  {W - 51, 26, kLine, "bar"},
                                  {W - 50, 26, kStrip, "bar, end of the line"},
                                  {W - 55, 25, kStrip, "above the bar"},
                                  {W - 74, 18, kLine, "house"},
                                  {W - 74, 22, kLine, "house"},
                                  {W - 88, 21, kLine, "house"},
                                  {W - 78, 13, kLine, "house"},
                                  {W - 78, 24, kLine, "house"},
                                  {W - 82, 23, kLine, "house"},
                                  {W - 85, 22, kLine, "house"},
                                  {W - 80, 22, kStrip, "inside the house"},
                              });
  Expect(pixels, points);
}

// The leftmost column and the top row where a colour shows within the strip.
POINT TopLeft(const Pixels& pixels, COLORREF colour) {
  POINT corner{W, H};
  for (int y = 6; y < 34; ++y)
    for (int x = 6; x < W - 9; ++x)
      if (pixels.At(x, y) == colour) {
        if (x < corner.x) corner.x = x;
        if (y < corner.y) corner.y = y;
      }
  return corner;
}

TEST_F(DesignerFrame, CaptionInPurpleUnderWhite) {
  Start();
  Pixels pixels(W, H);
  Paint(pixels);
  const POINT purple = TopLeft(pixels, kPurple), white = TopLeft(pixels, kWhite);
  ASSERT_GE(purple.x, 14);
  ASSERT_GE(purple.y, 13);
  EXPECT_LT(purple.x, 20);
  EXPECT_LT(purple.y, 20);
  // The white pass lies one pixel right and down, over the purple one.
  EXPECT_EQ(white.x, purple.x + 1);
  EXPECT_EQ(white.y, purple.y + 1);
}

TEST_F(DesignerFrame, ALongCaptionRunsOnUnderTheButtons) {
  Start();
  SetWindowTextA(Form().Handle(), std::string(200, 'W').c_str());
  Pixels pixels(W, H);
  Paint(pixels);
  int white = 0;
  for (int x = W - 39; x < W - 21; ++x)
    for (int y = 11; y < 29; ++y) white += pixels.At(x, y) == kWhite;
  EXPECT_GT(white, 0);
}

TEST_F(DesignerFrame, EveryPaintDrawsTheSameAndLeavesThePenAndAClearFill) {
  Start();
  Pixels first(W, H), second(W, H);
  Paint(first);
  EXPECT_EQ(Form().FrameCanvas().Current().pen, kLine);
  EXPECT_TRUE(Form().FrameCanvas().Current().fillClear);
  // The clear fill left by the first paint must not leave the strip unfilled in the next.
  Paint(second);
  EXPECT_EQ(first.All(), second.All());
  EXPECT_EQ(Form().FrameCanvas().Current().pen, kLine);
  EXPECT_TRUE(Form().FrameCanvas().Current().fillClear);
  // The device context gets its own objects back.
  EXPECT_EQ(GetCurrentObject(first.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(first.dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetBkMode(first.dc()), OPAQUE);
}

// The lines a paint draws, recorded in order.
struct Segment {
  POINT from, to;
};
struct Recording {
  POINT at{};
  std::vector<Segment> lines;
  int roundRects = 0;
};

int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto& r = *reinterpret_cast<Recording*>(data);
  if (record->iType == EMR_MOVETOEX) {
    const POINTL at = reinterpret_cast<const EMRMOVETOEX*>(record)->ptl;
    r.at = {at.x, at.y};
  } else if (record->iType == EMR_LINETO) {
    const POINTL to = reinterpret_cast<const EMRLINETO*>(record)->ptl;
    r.lines.push_back({r.at, {to.x, to.y}});
    r.at = {to.x, to.y};
  } else if (record->iType == EMR_ROUNDRECT) {
    ++r.roundRects;
  }
  return 1;
}

Recording RecordPaint(HWND form) {
  HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  SendMessageA(form, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(recorder), PRF_CLIENT);
  HENHMETAFILE recording = CloseEnhMetaFile(recorder);
  Recording r;
  EnumEnhMetaFile(nullptr, recording, &Record, &r, nullptr);
  DeleteEnhMetaFile(recording);
  return r;
}

TEST_F(DesignerFrame, TheBorderHasThreeSidesAndNoBottom) {
  Start();
  const Recording recording = RecordPaint(Form().Handle());
  const std::vector<Segment>& lines = recording.lines;
  EXPECT_EQ(recording.roundRects, 4);
  // The gradient's 464 lines, the glyphs' 16, the border's 3.
  ASSERT_EQ(lines.size(), 464u + 16u + 3u);
  const Segment border[] = {{{0, 0}, {0, H}}, {{W - 2, 0}, {W - 2, H}}, {{0, 0}, {W, 0}}};
  for (int k = 0; k < 3; ++k) {
    const Segment& got = lines[lines.size() - 3 + k];
    EXPECT_EQ(got.from.x, border[k].from.x) << k;
    EXPECT_EQ(got.from.y, border[k].from.y) << k;
    EXPECT_EQ(got.to.x, border[k].to.x) << k;
    EXPECT_EQ(got.to.y, border[k].to.y) << k;
  }
  // After the gradient nothing reaches the bottom rows.
  for (size_t k = 464; k < lines.size() - 3; ++k) {
    EXPECT_LT(lines[k].from.y, H - 1) << k;
    EXPECT_LT(lines[k].to.y, H - 1) << k;
  }
}

TEST_F(DesignerFrame, TheWindowOnScreenShowsIt) {
  Start();
  HWND form = Form().Handle();
  RedrawWindow(form, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pixels pixels(W, H);
  HDC window = GetDC(form);
  BitBlt(pixels.dc(), 0, 0, W, H, window, 0, 0, SRCCOPY);
  ReleaseDC(form, window);
  // Column 3 and the strip's middle are covered by no control.
  Expect(pixels, {
                     {3, 58, RGB(205, 230, 247), "gradient"},
                     {3, 232, RGB(211, 216, 238), "gradient"},
                     {3, 406, RGB(216, 203, 229), "gradient"},
                     {300, 20, kStrip, "strip"},
                     {0, 200, kLine, "left border"},
                     {W - 2, 200, kLine, "right border"},
                     {300, 0, kLine, "top border"},
                     {W - 30, 20, kLine, "cross"},
                 });
  EXPECT_LT(TopLeft(pixels, kPurple).x, W);
}

TEST_F(DesignerFrame, AWiderWindowMovesTheButtonsAndTheRightBorder) {
  Start({}, SW_SHOWMAXIMIZED);
  RECT client{};
  GetClientRect(Form().Handle(), &client);
  const int w = client.right;
  ASSERT_GT(w, W);
  Pixels pixels(w, client.bottom);
  Paint(pixels);
  Expect(pixels, {
                     {w - 2, 200, kLine, "right border"},
                     {w - 30, 20, kLine, "cross"},
                     {w - 9, 20, kLine, "strip right"},
                     {W - 2, 200, pixels.At(3, 200), "where the border was"},
                 });
}

}  // namespace
}  // namespace orv::test
