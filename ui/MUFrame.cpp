// The self-drawn frame: background gradient, title strip, caption, caption buttons and border,
// and moving the window by its title strip.
#include "MUFrame.h"

#include <windows.h>

#include <cmath>

#include "MU.h"

namespace orv::ui {

namespace {

constexpr COLORREF kGradientStart = 0x00FAEACB;  // RGB (203, 234, 250)
constexpr COLORREF kGradientEnd = 0x00E2C7DA;    // RGB (218, 199, 226), also every outline
constexpr COLORREF kCaptionEdge = 0x00B773A3;    // RGB (163, 115, 183)
constexpr COLORREF kCaptionText = 0x00FFFFFF;

// The gradient's values are computed with the x87 unit's full 64-bit mantissa and rounded to
// the nearest integer, ties to even, whatever precision and rounding the runtime left set. The
// compiler may move arithmetic across an asm statement that it has no data link to, so the
// operands pass through one that reads what the control-word load "wrote": arithmetic on them
// cannot start before the load. The results are used by calls before the restoring load.
class ExtendedPrecision {
 public:
#if defined(__i386__) || defined(__x86_64__)
  ExtendedPrecision() {
    __asm__ volatile("fnstcw %0" : "=m"(saved_));
    const unsigned short extended = static_cast<unsigned short>((saved_ & ~0x0F00) | 0x0300);
    __asm__ volatile("fldcw %1" : "=m"(loaded_) : "m"(extended) : "memory");
  }
  ~ExtendedPrecision() { __asm__ volatile("fldcw %0" : : "m"(saved_), "m"(loaded_) : "memory"); }

  // value, as of after the control word was loaded.
  template <typename T>
  T Operand(T value) const {
    __asm__ volatile("" : "+m"(value) : "m"(loaded_));
    return value;
  }

 private:
  unsigned short saved_ = 0;
  unsigned short loaded_ = 0;  // written by the load as far as the compiler knows
#else
  template <typename T>
  T Operand(T value) const {
    return value;
  }
#endif
};

int Channel(COLORREF colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

// Lines from point to point, x counted back from the client width.
struct Stroke {
  int count;
  POINT points[10];
};

constexpr int kGlyphTop = 10, kGlyphBottom = 30;

}  // namespace

Canvas::Session::Session(Canvas& canvas, HDC dc) : canvas_(canvas), saved_(SaveDC(dc)) {
  canvas_.dc_ = dc;
  canvas_.UsePen();
  canvas_.UseFill();
  canvas_.UseFont();
}

Canvas::Session::~Session() {
  RestoreDC(canvas_.dc_, saved_);
  // Deselected now, so they can go.
  canvas_.pen_.reset();
  canvas_.brush_.reset();
  canvas_.font_.reset();
  canvas_.dc_ = nullptr;
}

void Canvas::UsePen() {
  if (!dc_) return;
  LOGPEN pen{PS_SOLID, {penWidth_, 0}, state_.pen};
  Object made(CreatePenIndirect(&pen));
  SelectObject(dc_, made.get());
  pen_ = std::move(made);
}

void Canvas::UseFill() {
  if (!dc_) return;
  LOGBRUSH brush{static_cast<UINT>(state_.fillClear ? BS_NULL : BS_SOLID), state_.fill, 0};
  Object made(CreateBrushIndirect(&brush));
  SelectObject(dc_, made.get());
  brush_ = std::move(made);
  SetBkColor(dc_, state_.fill);
  SetBkMode(dc_, state_.fillClear ? TRANSPARENT : OPAQUE);
}

void Canvas::UseFont() {
  if (!dc_) return;
  LOGFONTA font{};
  if (windowFont_) GetObjectA(windowFont_, sizeof font, &font);
  if (state_.bold) font.lfWeight = FW_BOLD;
  Object made(CreateFontIndirectA(&font));
  SelectObject(dc_, made.get());
  font_ = std::move(made);
  SetTextColor(dc_, state_.fontColour);
}

void Canvas::SetPenColour(COLORREF colour) {
  if (colour == state_.pen && pen_) return;
  state_.pen = colour;
  UsePen();
}

void Canvas::SetFill(COLORREF colour) {
  state_.fill = colour;
  state_.fillClear = false;
  UseFill();
}

void Canvas::SetFillClear() {
  state_.fillClear = true;
  UseFill();
}

void Canvas::SetFont(bool bold, COLORREF colour) {
  if (bold != state_.bold || !font_) {
    state_.bold = bold;
    UseFont();
  }
  state_.fontColour = colour;
  if (dc_) SetTextColor(dc_, colour);
}

void Canvas::MoveTo(int x, int y) {
  if (dc_) MoveToEx(dc_, x, y, nullptr);
}

void Canvas::LineTo(int x, int y) {
  if (dc_) ::LineTo(dc_, x, y);
}

void Canvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
  if (dc_) ::RoundRect(dc_, x1, y1, x2, y2, w, h);
}

void Canvas::TextOut(int x, int y, const std::string& text) {
  if (dc_) ExtTextOutA(dc_, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
}

void DrawGradient(Canvas& canvas, const RECT& rect, COLORREF startColour, COLORREF endColour,
                  bool vertical) {
  const int span = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  // An empty span has no lines to interpolate between.
  if (span <= 0) return;
  const ExtendedPrecision precision;
  constexpr int kShifts[] = {0, 8, 16};
  double step[3];
  int start[3];
  for (int c = 0; c < 3; ++c) {
    start[c] = Channel(startColour, kShifts[c]);
    const long double difference = Channel(endColour, kShifts[c]) - start[c];
    step[c] = static_cast<double>(precision.Operand(difference) / span);
  }
  for (int i = 0; i <= span; ++i) {
    COLORREF colour = 0;
    for (int c = 0; c < 3; ++c) {
      const long double value = precision.Operand(static_cast<long double>(i)) * step[c] + start[c];
      colour |= static_cast<COLORREF>(std::llrint(value) & 0xFF) << kShifts[c];
    }
    canvas.SetPenColour(colour);
    if (vertical) {
      canvas.MoveTo(rect.left, rect.top + i);
      canvas.LineTo(rect.right, rect.top + i);
    } else {
      canvas.MoveTo(rect.left + i, rect.top);
      canvas.LineTo(rect.left + i, rect.bottom);
    }
  }
}

void TMF::FormPaint(HWND) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(handle_, &paint);
  struct EndPainting {
    HWND window;
    PAINTSTRUCT& paint;
    ~EndPainting() { EndPaint(window, &paint); }
  } end{handle_, paint};
  PaintFrame(dc);
}

void TMF::PaintFrame(HDC dc) {
  RECT client{};
  GetClientRect(handle_, &client);
  const int W = client.right, H = client.bottom;
  Canvas::Session session(canvas_, dc);
  Canvas& c = canvas_;

  DrawGradient(c, client, kGradientStart, kGradientEnd, true);
  c.SetFill(kWindowColour);
  c.RoundRect(S(5), S(5), W - S(8), S(35), S(10), S(10));
  c.SetFillClear();

  // White over purple shifted by one: the purple stays as an edge above and left of the letters.
  const std::string caption = WindowText(handle_);
  c.SetFont(true, kCaptionEdge);
  c.TextOut(S(14), S(13), caption);
  c.SetFont(true, kCaptionText);
  c.TextOut(S(15), S(14), caption);

  for (int right : {20, 45, 70})
    c.RoundRect(W - S(right + 20), S(kGlyphTop), W - S(right), S(kGlyphBottom), S(5), S(5));

  static const Stroke kGlyphs[] = {
      {2, {{35, 15}, {24, 26}}},  // close
      {2, {{25, 15}, {36, 26}}},
      {2, {{60, 26}, {50, 26}}},  // minimise
      {10,
       {{74, 18},
        {74, 23},
        {78, 27},
        {88, 24},
        {88, 19},
        {84, 15},
        {78, 20},
        {74, 17},
        {78, 13},
        {84, 15}}},  // home page
      {2, {{78, 20}, {78, 27}}},
      {4, {{82, 26}, {82, 21}, {85, 20}, {85, 25}}},
  };
  for (const Stroke& stroke : kGlyphs) {
    c.MoveTo(W - S(stroke.points[0].x), S(stroke.points[0].y));
    for (int k = 1; k < stroke.count; ++k)
      c.LineTo(W - S(stroke.points[k].x), S(stroke.points[k].y));
  }

  // Left, right (one column in from the edge) and top; the bottom has none.
  c.MoveTo(0, 0);
  c.LineTo(0, H);
  c.MoveTo(W - S(2), 0);
  c.LineTo(W - S(2), H);
  c.MoveTo(0, 0);
  c.LineTo(W, 0);
}

void TMF::FormMouseDown(HWND, MouseButton, UINT, int x, int y) {
  RECT client{};
  GetClientRect(handle_, &client);
  downX_ = x;
  downY_ = y;
  dragging_ = S(10) < x && x < client.right - S(100) && S(5) < y && y < S(35);
}

void TMF::FormMouseMove(HWND, UINT, int x, int y) {
  RECT at{};
  if (dragging_) {
    GetWindowRect(handle_, &at);
    SetWindowPos(handle_, nullptr, at.left + x - downX_, at.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (dragging_) {
    GetWindowRect(handle_, &at);
    SetWindowPos(handle_, nullptr, at.left, at.top + y - downY_, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TMF::FormMouseUp(HWND, MouseButton, UINT, int, int) { dragging_ = false; }

void TMF::FormClick(HWND) {
  RECT client{};
  GetClientRect(handle_, &client);
  const int W = client.right;
  // The press decides, not the release.
  auto pressedOn = [&](int left, int right) {
    return W - S(left) < downX_ && downX_ < W - S(right) && S(kGlyphTop) < downY_ &&
           downY_ < S(kGlyphBottom);
  };
  if (pressedOn(40, 20)) {
    SendMessageA(handle_, WM_CLOSE, 0, 0);
  } else if (pressedOn(65, 45)) {
    // The application's window carries the task-bar button; its main window goes with it.
    HWND application = GetWindow(handle_, GW_OWNER);
    ShowWindow(application ? application : handle_, SW_MINIMIZE);
  } else if (pressedOn(90, 70)) {
    dialogs_.ShellOpen(handle_, kHomePage, "", SW_SHOW);
  }
}

}  // namespace orv::ui
