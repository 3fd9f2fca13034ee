#pragma once
// The designer's one main window, MF of class TMF: it shows the script document, which holds
// every text, and its handlers carry the commands.
#include <windows.h>

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Dialogs.h"
#include "Document.h"
#include "Layout.h"
#include "MUFrame.h"
#include "New1.h"

namespace orv::ui {

enum class MouseButton { Left, Right, Middle };

class TMF {
 public:
  // Creates the window and its controls hidden, owned by the application's window, and runs
  // FormCreate; throws, leaving nothing behind, when one cannot be made. Themes are looked up
  // in programFolder's Themes folder.
  TMF(HWND owner, Dialogs& dialogs, std::string programFolder);
  ~TMF();
  TMF(const TMF&) = delete;
  TMF& operator=(const TMF&) = delete;

  HWND Handle() const { return handle_; }
  int Dpi() const { return dpi_; }
  // A length of the 96-pixels-per-inch layout at the window's scale.
  int S(int length) const { return MulDiv(length, dpi_, 96); }
  // A control by its row's name ("PL", "AL", "OK", ...), or the label of a labelled field by
  // the field's name followed by ".Label"; null when there is none. For tests and tools.
  HWND Control(std::string_view name) const;
  ScriptDocument& Document() { return doc_; }
  const ScriptDocument& Document() const { return doc_; }
  bool EditorShown() const;

  // Tab, Enter and Esc as the window handles them, before the focused control sees them;
  // true when the message was used up.
  bool PreTranslateMessage(const MSG& msg);

  // Posts a quit message when the window is destroyed (the application's main window does).
  void QuitOnDestroy() { quitOnDestroy_ = true; }

  // Event handlers; sender is the control that raised the event.
  void AddClick(HWND sender);
  void RemoveClick(HWND sender);
  void ClearClick(HWND sender);
  void MoveUpClick(HWND sender);
  void MoveDownClick(HWND sender);
  void PLClick(HWND sender);
  void EditClick(HWND sender);
  void CancelClick(HWND sender);
  void OKClick(HWND sender);
  void SaveClick(HWND sender);
  void FormCreate(HWND sender);
  void OpenClick(HWND sender);
  void FormPaint(HWND sender);
  // The hint shown at a layout field, or "" (for tests).
  const std::string& Hint(int setting) const { return hints_[setting]; }
  // Mouse events of the window's own surface, in client coordinates; shift holds MK_* flags.
  void FormMouseDown(HWND sender, MouseButton button, UINT shift, int x, int y);
  void FormMouseMove(HWND sender, UINT shift, int x, int y);
  void FormMouseUp(HWND sender, MouseButton button, UINT shift, int x, int y);
  void FormClick(HWND sender);
  void NewClick(HWND sender);
  void saveasClick(HWND sender);
  void PreviewClick(HWND sender);
  void ThChange(HWND sender);
  // Whether the window may close.
  bool FormClose(HWND sender);
  // Asks "Save changes?" when the document is modified; true when the caller must stop.
  bool ConfirmDiscardChanges();

  // The frame drawn on dc, as a paint draws it; the canvas keeps its pen, fill and font after.
  void PaintFrame(HDC dc);
  const Canvas& FrameCanvas() const { return canvas_; }

  const FileDialog SD;
  const FileDialog OD;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);
  // WM_CREATE: the controls, then FormCreate; false (with the reason kept) when one fails.
  bool OnCreate();
  void CreateControls();
  HWND CreateControl(const ControlDef& def, HWND parent, HDC measure);
  // Where a row's control and its label stand at the window's scale.
  RECT PlaceOf(const ControlDef& def, HWND parent, HDC measure) const;
  RECT LabelPlaceOf(const ControlDef& def, const char* caption, HDC measure) const;
  // A list's row height and a pick list's field height, at the window's scale.
  void Fit(const ControlDef& def, HWND control);
  void SetRegion();
  // WM_DPICHANGED: the font, every control and label, the window and its region at the new
  // scale; the window goes where the system suggests.
  void Rescale(int dpi, const RECT& suggested);
  HWND Window(ControlId id) const { return windows_[id - IdPL]; }
  void OnCommand(int id, int code, HWND sender);
  LRESULT OnControlColour(HDC dc, HWND control);
  bool OnMouse(UINT message, WPARAM w, LPARAM l);

  // The layout field's place in the settings table, or -1 for another control.
  int SettingOf(HWND control) const;
  // Shows at the field whether its text would stop the page's script: the text in the warning
  // colour and a tooltip that says why. The tooltip is made when a hint first needs it.
  void ShowHint(int setting);
  LRESULT OnEditColour(HDC dc, HWND control, WPARAM w, LPARAM l);
  void HideEditor();
  // The settings, theme and file that the window shows, taken before New or Open replaces
  // them; ShowDocument then shows what changed. The title list shows the panels by itself.
  struct Shown {
    std::array<std::string, kSettingCount> settings;
    int themeIndex;
    std::string fileName;
  };
  Shown Showing() const { return {doc_.settings, doc_.themeIndex, doc_.fileName}; }
  void ShowDocument(const Shown& before);
  void ShowCaption();
  // Program-made text changes, which must not count as the user's edits.
  void SetText(HWND control, const std::string& text);
  void FocusNext(HWND from, bool forward);
  void Press(HWND button);
  bool IsEditorControl(HWND control) const;

  HWND handle_ = nullptr;
  // Pixels per inch of the window's display; the layout tables are at 96, and every figure is
  // scaled as MulDiv rounds it.
  int dpi_;
  Dialogs& dialogs_;
  std::string programFolder_;
  ScriptDocument doc_;
  GdiObject<HFONT> font_;
  GdiObject<HBRUSH> brush_;
  std::string createFailure_;
  std::array<HWND, kControlCount> windows_{};  // by id
  std::array<HWND, kControlCount> labels_{};   // a labelled field's label, by the field's id
  std::vector<HWND> tabOrder_;
  HWND savedFocus_ = nullptr;
  int programChange_ = 0;
  bool quitOnDestroy_ = false;
  Canvas canvas_;
  // The frame's drag state: the last press on the window's surface, and whether it holds the
  // window by its title strip.
  int downX_ = 0, downY_ = 0;
  bool dragging_ = false;
  bool clicked_ = false;  // a left press, not a double click's, waits for its release

  // The controls the commands use, each as it was created from its row.
  TNew1AddRemoveListBox PL;  // shows doc_.PL
  HWND AP = nullptr, PT = nullptr, PI = nullptr, PH = nullptr, PE = nullptr, PD = nullptr;
  HWND OK = nullptr, Cancel = nullptr, Th = nullptr;
  std::array<HWND, kSettingCount> fields_{};      // the layout fields, as kSettings orders them
  std::array<std::string, kSettingCount> hints_;  // what each field's text would break, or ""
  HWND hintTip_ = nullptr;
};

// Text of an edit control or a window.
std::string WindowText(HWND window);
// The controls' font at a number of pixels per inch.
HFONT MakeFont(int dpi);

}  // namespace orv::ui
