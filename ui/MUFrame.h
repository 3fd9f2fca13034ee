#pragma once
// The window's own drawing surface and the routines of its self-drawn frame.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace orv::ui {

// A GDI object that is deleted with its owner.
struct GdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDeleter>;

// Pen, fill and font outlive a paint, as the window's canvas keeps them from one paint to the
// next; the device context and the GDI objects made for it last one paint.
class Canvas {
 public:
  struct State {
    COLORREF pen = RGB(0, 0, 0);
    COLORREF fill = RGB(255, 255, 255);
    bool fillClear = false;
    bool bold = false;
    COLORREF fontColour = RGB(0, 0, 0);
  };

  // Draws on dc with the canvas's pen, fill and font until it ends; the context gets its own
  // objects and modes back then.
  class Session {
   public:
    Session(Canvas& canvas, HDC dc);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

   private:
    Canvas& canvas_;
    int saved_;
  };

  // The font the canvas starts from, made bold or not.
  void SetBaseFont(HFONT font) { windowFont_ = font; }
  // Pixels per inch: lines are one pixel wide at 96 and scaled as MulDiv rounds.
  void SetScale(int dpi) { penWidth_ = MulDiv(1, dpi, 96); }
  const State& Current() const { return state_; }

  void SetPenColour(COLORREF colour);
  void SetFill(COLORREF colour);  // solid
  void SetFillClear();
  void SetFont(bool bold, COLORREF colour);

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
  // Unclipped, with the fill as background unless the fill is clear.
  void TextOut(int x, int y, const std::string& text);

 private:
  using Object = GdiObject<HGDIOBJ>;

  void UsePen();
  void UseFill();
  void UseFont();

  HFONT windowFont_ = nullptr;
  int penWidth_ = 1;
  State state_;
  HDC dc_ = nullptr;
  Object pen_, brush_, font_;
};

// Lines from startColour to endColour across rect (right and bottom exclusive), stacked
// downwards when vertical, else side by side; leaves the pen at endColour.
void DrawGradient(Canvas& canvas, const RECT& rect, COLORREF startColour, COLORREF endColour,
                  bool vertical);

// Where the home-page button leads.
inline constexpr char kHomePage[] = "https://orvella.example/";

}  // namespace orv::ui
