#include "server/dialogs/common/vexa_edit.h"

#include <limits>

#include "server/core/number_format.h"

namespace topaline {

wchar_t VexaFilterChar(wchar_t ch, TTypeValeur type) {
  if (ch == L',') ch = L'.';
  if (ch < 32) return ch;
  const std::wstring allowed = type == TTypeValeur::tvInteger ? L"0123456789-+" : L"0123456789-+,.";
  return allowed.find(ch) == std::wstring::npos ? 0 : ch;
}

std::wstring VexaNormalize(const std::wstring& text, const VexaFormat& f) {
  const double lo = f.HasMinValue ? f.MinValue : std::numeric_limits<double>::lowest();
  const double hi = f.HasMaxValue ? f.MaxValue : std::numeric_limits<double>::max();
  double v = 0;
  if (!ParseNumber(text, v)) v = 0;
  if (lo > v) v = lo;
  if (hi < v) v = hi;
  return FormatFixed(v, f.TypeValeur == TTypeValeur::tvFloat ? f.NumDec : 0);
}

TVexaEdit::TVexaEdit(ui::Form& owner, ui::Component* parent, std::wstring name)
    : ui::Edit(owner, parent, std::move(name)) {
  SetAlignment(ui::Alignment::Right);
  SetText(L"0.000");
}

template <class T>
void TVexaEdit::Change(T& field, T value) {
  if (field == value) return;
  field = value;
  Notify(ui::Property::Style);  // the window is rebuilt; the text stays
}

void TVexaEdit::SetTypeValeur(TTypeValeur v) { Change(format_.TypeValeur, v); }
void TVexaEdit::SetNumDec(int v) { Change(format_.NumDec, v); }
void TVexaEdit::SetHasMinValue(bool v) { Change(format_.HasMinValue, v); }
void TVexaEdit::SetHasMaxValue(bool v) { Change(format_.HasMaxValue, v); }
void TVexaEdit::SetMinValue(double v) { Change(format_.MinValue, v); }
void TVexaEdit::SetMaxValue(double v) { Change(format_.MaxValue, v); }

void TVexaEdit::NormalizeText() { SetText(VexaNormalize(Text(), format_)); }

void TVexaEdit::SetText(const std::wstring& v) {
  programText_ = v;
  ui::Edit::SetText(v);
}

void TVexaEdit::KeyPress(wchar_t& ch) {
  ch = VexaFilterChar(ch, format_.TypeValeur);
  if (ch == 0) return;
  if (ch == L'\r') NormalizeText();
  ui::Edit::KeyPress(ch);
}

void TVexaEdit::DoExit() {
  if (Text() != programText_) NormalizeText();
  ui::Edit::DoExit();
}

}  // namespace topaline
