// Small value types shared by the component model and its bindings.
#pragma once

#include <cstdint>
#include <string>

namespace topaline::ui {

// Geometry in design pixels (96 dpi); the Win32 binding scales them.
struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
  bool operator!=(const Rect& o) const { return !(*this == o); }
};

// r moved (never resized) so that it lies within area; when it is larger
// than the area its top-left corner stays inside. Used for every window
// placed on a work area: the dialogs and quenta's entry window.
inline Rect KeptInside(Rect r, const Rect& area) {
  if (r.right() > area.right()) r.left = area.right() - r.width;
  if (r.bottom() > area.bottom()) r.top = area.bottom() - r.height;
  if (r.left < area.left) r.left = area.left;
  if (r.top < area.top) r.top = area.top;
  return r;
}

struct Size {
  int width = 0, height = 0;
};

// A colour: 0x00BBGGRR as in a COLORREF, or a system colour (high byte
// 0xFF, low byte the system colour index), or clDefault.
using Color = std::uint32_t;
constexpr Color clDefault = 0x20000000;   // the control's own default
constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clRed = 0x0000FF;
constexpr Color clSysMenu = 0xFF000004;   // COLOR_MENU
constexpr Color clSysWindow = 0xFF000005; // COLOR_WINDOW
constexpr Color clSysBtnFace = 0xFF00000F;
inline constexpr bool IsSystemColor(Color c) { return (c >> 24) == 0xFF; }
inline constexpr Color Rgb(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

struct Font {
  std::wstring name = L"Tahoma";
  int sizePt = 8;
  bool bold = false;
  bool italic = false;
  bool operator==(const Font& o) const {
    return name == o.name && sizePt == o.sizePt && bold == o.bold && italic == o.italic;
  }
};

enum class Alignment { Left, Right, Center };

// Docking inside the parent's client area, applied in creation order.
enum class Align { None, Top, Bottom, Left, Right, Client };

// Which parent edges a control keeps its distance to when the parent is
// resized (Align::None only). Default: left and top.
struct Anchors {
  bool left = true, top = true, right = false, bottom = false;
};

enum class Cursor { Default, Hand };

enum class MouseButton { Left, Right, Middle };

struct ShiftState {
  bool shift = false, ctrl = false, alt = false;
};

// Virtual key codes: the Windows values, so the binding passes them as
// they come. Letters and digits use their upper-case ASCII codes.
namespace Key {
constexpr int None = 0;
constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Enter = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int PageUp = 0x21;
constexpr int PageDown = 0x22;
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Delete = 0x2E;
constexpr int F1 = 0x70;
constexpr int F2 = 0x71;
}  // namespace Key

// Modal results, with the values the dialogs compare against.
using ModalResult = int;
constexpr ModalResult mrNone = 0;
constexpr ModalResult mrOk = 1;
constexpr ModalResult mrCancel = 2;
constexpr ModalResult mrAbort = 3;
constexpr ModalResult mrRetry = 4;
constexpr ModalResult mrIgnore = 5;
constexpr ModalResult mrYes = 6;
constexpr ModalResult mrNo = 7;

// Standard icon identifiers (LoadIconW with no module).
constexpr int IconError = 32513;
constexpr int IconQuestion = 32514;
constexpr int IconWarning = 32515;
constexpr int IconInformation = 32516;

}  // namespace topaline::ui
