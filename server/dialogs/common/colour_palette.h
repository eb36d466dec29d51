// The colour index shared by every dialog that stores a colour: the
// palette of numbers 0 to 256, the names of the logical and the seven
// named colours in the interface language, and the rules of the colour
// picker that need no form (the text of a number, reading what the user
// typed in Edit1, the Ok check, the hover readouts, the numbers and
// places of the palette cells, how a number is painted).
//
// 0 is ByLayer, 256 is ByBlock, 1 to 255 the numbered colours. A number
// outside 0 to 256 can only come from a hand-edited setting or model: it
// never indexes the palette or the names. It is kept as it is, painted
// black, shown as its decimal number and refused by the Ok check.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/types.h"

namespace topaline {

constexpr std::int32_t kByLayer = 0;
constexpr std::int32_t kByBlock = 256;

struct AcadRgb {
  std::int32_t r = 0, g = 0, b = 0;
  bool operator==(const AcadRgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// The palette, numbers 0 to 256. Entry 256 holds 256 in each component
// (so painting uses the low eight bits: see PaintColour).
const std::array<AcadRgb, 257>& AcadPalette();

inline bool IsAcadColourNumber(std::int32_t n) { return n >= 0 && n <= 256; }

// [0] the colour number (-1: the picker was cancelled), [1..3] red,
// green, blue from the palette.
using TResultatCouleur = std::array<std::int32_t, 4>;

// n with its palette values. For a number outside 0 to 256: n with 0, 0, 0.
TResultatCouleur GetAcadRgb(std::int32_t n);

// What a swatch or a cell of number n is painted with: the low eight bits
// of each palette component (ByLayer and ByBlock come out black); black
// for a number outside 0 to 256.
ui::Color PaintColour(std::int32_t n);

// The nine names of one language: entries 1 to 7 name colours 1 to 7,
// entry 8 is ByLayer, entry 9 ByBlock.
class ColourNames {
public:
  // The "fr", "en" or "es" column; any other code (the empty one too)
  // gives the English names.
  static ColourNames ForLanguage(std::wstring_view lg);

  // Entry 1 to 9 (empty outside).
  const std::wstring& Entry(int entry) const;
  const std::wstring& ByLayer() const { return names_[8]; }
  const std::wstring& ByBlock() const { return names_[9]; }

  // The text Edit1 shows for a number: the ByLayer name for 0, the
  // ByBlock name for 256, the name for 1 to 7, the decimal number
  // otherwise.
  std::wstring TextFor(std::int32_t n) const;

private:
  std::array<std::wstring, 10> names_;  // [0] unused
};

// What Enter in Edit1, or leaving it, makes of its text.
struct ParsedColour {
  std::int32_t number = 0;
  std::wstring text;  // the text Edit1 then shows
};
// Blanks at both ends removed; a name (matched case-sensitively) gives
// its number; otherwise the decimal value, 0 when not a whole number or
// outside 0 to 256. The text becomes the name of the number, or the
// trimmed text as typed for 8 to 255.
ParsedColour ParseColourText(const ColourNames& names, std::wstring_view text);

// The Ok check of the picker: the trimmed text, compared without regard
// to case with the nine names (which count as 1 to 9), must be a whole
// number from 1 to 255.
bool ColourTextAccepted(const ColourNames& names, std::wstring_view text);

// The colour that an accepted text names, -1 when the Ok check refuses it:
// a name in any case gives its colour (1 to 7, ByLayer 0, ByBlock 256),
// a whole number from 1 to 255 itself.
std::int32_t AcceptedColour(const ColourNames& names, std::wstring_view text);

// The picker's message when the Ok check refuses the text.
std::wstring ColourRefusedMessage(std::wstring_view lg);

// The hover readouts numcoul and rvbcol for a number: the ByLayer or
// ByBlock name and "#,#,#" for 0 and 256; the decimal number and
// "r,g,b" otherwise ("#,#,#" again for a number outside 0 to 256).
struct ColourReadout {
  std::wstring number;
  std::wstring rgb;
};
ColourReadout HoverReadout(const ColourNames& names, std::int32_t n);

// The palette grids coulset1 (full colours) and coulset2 (pale ones):
// columns c = 1 to 24, rows r = 0 to 4 from the top.
constexpr int kPaletteColumns = 24;
constexpr int kPaletteRows = 5;
// coulset1: 10c + 8 - 2r (top row 18 ... 248, bottom row 10 ... 240).
std::int32_t FullColourCell(int c, int r);
// coulset2: 10c + 2r + 1 (top row 11 ... 241, bottom row 19 ... 249).
std::int32_t PaleColourCell(int c, int r);
// The cell's square inside its grid: left 14c - 10, top 14r + 5, 13 x 13.
ui::Rect PaletteCellRect(int c, int r);

}  // namespace topaline
