#include "server/dialogs/common/colour_palette.h"

#include "server/core/number_format.h"
#include "server/core/text_compare.h"

namespace topaline {

namespace {

std::array<AcadRgb, 257> MakePalette() {
  std::array<AcadRgb, 257> p{};
  const AcadRgb fixed[10] = {{0, 0, 0},     {255, 0, 0},   {255, 255, 0}, {0, 255, 0},     {0, 255, 255},
                             {0, 0, 255},   {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
  for (int n = 0; n < 10; ++n) p[n] = fixed[n];
  // 10 to 249: 24 hues of 15 degrees, five shades, full and pale halves.
  const int brightness[5] = {255, 204, 153, 127, 76};
  for (int n = 10; n <= 249; ++n) {
    const int h = n / 10 - 1;
    const int sector = h / 4;
    const int quarter = h % 4;  // f = quarter / 4
    const int v = brightness[(n % 10) / 2];
    const int l = n % 2 == 0 ? 0 : v / 2;
    const int u = l + (v - l) * quarter / 4;        // floor(L + (V - L) f)
    const int d = l + (v - l) * (4 - quarter) / 4;  // floor(L + (V - L)(1 - f))
    switch (sector) {
      case 0: p[n] = {v, u, l}; break;
      case 1: p[n] = {d, v, l}; break;
      case 2: p[n] = {l, v, u}; break;
      case 3: p[n] = {l, d, v}; break;
      case 4: p[n] = {u, l, v}; break;
      default: p[n] = {v, l, d}; break;
    }
  }
  const int greys[6] = {51, 91, 132, 173, 214, 255};
  for (int i = 0; i < 6; ++i) p[250 + i] = {greys[i], greys[i], greys[i]};
  p[256] = {256, 256, 256};
  return p;
}

const wchar_t* const kFrench[10] = {L"",     L"Rouge",   L"Jaune", L"Vert",     L"Cyan",
                                    L"Bleu", L"Magenta", L"Blanc", L"DuCalque", L"DuBloc"};
const wchar_t* const kEnglish[10] = {L"",     L"Red",     L"Yellow", L"Green",   L"Cyan",
                                     L"Blue", L"Magenta", L"White",  L"ByLayer", L"ByBlock"};

}  // namespace

const std::array<AcadRgb, 257>& AcadPalette() {
  static const std::array<AcadRgb, 257> palette = MakePalette();
  return palette;
}

TResultatCouleur GetAcadRgb(std::int32_t n) {
  if (!IsAcadColourNumber(n)) return {n, 0, 0, 0};
  const AcadRgb& c = AcadPalette()[static_cast<std::size_t>(n)];
  return {n, c.r, c.g, c.b};
}

ui::Color PaintColour(std::int32_t n) {
  if (!IsAcadColourNumber(n)) return ui::clBlack;
  const AcadRgb& c = AcadPalette()[static_cast<std::size_t>(n)];
  return ui::Rgb(static_cast<unsigned>(c.r), static_cast<unsigned>(c.g), static_cast<unsigned>(c.b));
}

// ---------------------------------------------------------------- names

ColourNames ColourNames::ForLanguage(std::wstring_view lg) {
  // Spanish shows the English names; so does any code we do not know,
  // rather than no names at all.
  const wchar_t* const* column = lg == L"fr" ? kFrench : kEnglish;
  ColourNames names;
  for (int i = 1; i <= 9; ++i) names.names_[i] = column[i];
  return names;
}

const std::wstring& ColourNames::Entry(int entry) const {
  return entry >= 1 && entry <= 9 ? names_[entry] : names_[0];
}

std::wstring ColourNames::TextFor(std::int32_t n) const {
  if (n == kByLayer) return ByLayer();
  if (n == kByBlock) return ByBlock();
  if (n >= 1 && n <= 7) return names_[n];
  return IntToText(n);
}

ParsedColour ParseColourText(const ColourNames& names, std::wstring_view text) {
  const std::wstring_view t = TrimBlanks(text);
  std::int32_t n = -1;
  for (int i = 1; i <= 7; ++i)
    if (t == names.Entry(i)) n = i;
  if (t == names.ByLayer()) n = kByLayer;
  if (t == names.ByBlock()) n = kByBlock;
  if (n == -1 && ParseInt32(t, n) != ParseResult::Ok) n = 0;
  if (!IsAcadColourNumber(n)) n = 0;
  ParsedColour parsed;
  parsed.number = n;
  parsed.text = n >= 8 && n <= 255 ? std::wstring(t) : names.TextFor(n);
  return parsed;
}

std::int32_t AcceptedColour(const ColourNames& names, std::wstring_view text) {
  const std::wstring_view t = TrimBlanks(text);
  if (t.empty()) return -1;
  for (int i = 1; i <= 9; ++i)
    if (EqualsIgnoreCaseLatin1(t, names.Entry(i))) return i <= 7 ? i : (i == 8 ? kByLayer : kByBlock);
  std::int32_t n = 0;
  return ParseInt32(t, n) == ParseResult::Ok && n >= 1 && n <= 255 ? n : -1;
}

bool ColourTextAccepted(const ColourNames& names, std::wstring_view text) { return AcceptedColour(names, text) >= 0; }

std::wstring ColourRefusedMessage(std::wstring_view lg) {
  return lg == L"fr" ? L"Nom ou valeur de couleur incorrect" : L"Incorrect name or value of the color";
}

ColourReadout HoverReadout(const ColourNames& names, std::int32_t n) {
  if (n == kByLayer) return {names.ByLayer(), L"#,#,#"};
  if (n == kByBlock) return {names.ByBlock(), L"#,#,#"};
  if (!IsAcadColourNumber(n)) return {IntToText(n), L"#,#,#"};
  const AcadRgb& c = AcadPalette()[static_cast<std::size_t>(n)];
  return {IntToText(n), IntToText(c.r) + L"," + IntToText(c.g) + L"," + IntToText(c.b)};
}

// ---------------------------------------------------------------- cells

std::int32_t FullColourCell(int c, int r) { return 10 * c + 8 - 2 * r; }

std::int32_t PaleColourCell(int c, int r) { return 10 * c + 2 * r + 1; }

ui::Rect PaletteCellRect(int c, int r) { return ui::Rect{14 * c - 10, 14 * r + 5, 13, 13}; }

}  // namespace topaline
