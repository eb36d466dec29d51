// TVexaEdit: the single-line field in which the dialogs ask for a number.
// A plain text field (the settings sections store and load it as text)
// with a keystroke filter and a normalisation that, on Enter and when the
// field is left, turns whatever it holds into a number within optional
// limits, written with a fixed number of decimals. Leaving a field whose
// text the user did not change keeps that text: a value the host stored
// outside the limits (an automatic "0.000" below a minimum) goes back to
// it unchanged unless the user edits it.
#pragma once

#include <string>

#include "ui/controls.h"

namespace topaline {

enum class TTypeValeur { tvInteger = 0, tvFloat = 1 };

// The field's settings, and the two rules applied to its text.
struct VexaFormat {
  TTypeValeur TypeValeur = TTypeValeur::tvFloat;
  int NumDec = 3;
  bool HasMinValue = true;
  bool HasMaxValue = true;
  double MinValue = -1000;
  double MaxValue = 1000;
};

// The keystroke filter: the character that goes on (a comma becomes a
// point), or 0 when it is discarded. Control characters (codes below 32)
// always pass.
wchar_t VexaFilterChar(wchar_t ch, TTypeValeur type);

// The normalised text: the number in text ("." decimal separator; 0 when
// it is none) brought within the limits (lower first, then upper), with
// NumDec decimals in decimal mode, none in whole-number mode.
std::wstring VexaNormalize(const std::wstring& text, const VexaFormat& format);

class TVexaEdit : public ui::Edit {
public:
  TVexaEdit(ui::Form& owner, ui::Component* parent, std::wstring name);

  // Alignment is the field's own (ui::Edit::SetAlignment); a new field is
  // right-aligned.
  TTypeValeur TypeValeur() const { return format_.TypeValeur; }
  void SetTypeValeur(TTypeValeur v);
  int NumDec() const { return format_.NumDec; }
  void SetNumDec(int v);
  bool HasMinValue() const { return format_.HasMinValue; }
  void SetHasMinValue(bool v);
  bool HasMaxValue() const { return format_.HasMaxValue; }
  void SetHasMaxValue(bool v);
  double MinValue() const { return format_.MinValue; }
  void SetMinValue(double v);
  double MaxValue() const { return format_.MaxValue; }
  void SetMaxValue(double v);
  const VexaFormat& Format() const { return format_; }

  // Applies the normalisation to the current text.
  void NormalizeText();

  // The program's text (also what loading a section sets).
  void SetText(const std::wstring& v) override;

  // Filter, then Enter normalises; the rest is ordinary text handling.
  void KeyPress(wchar_t& ch) override;
  // Leaving: normalise when the user changed the text since the program
  // last set it, then the owner's OnExit.
  void DoExit() override;

private:
  template <class T>
  void Change(T& field, T value);

  VexaFormat format_;
  std::wstring programText_;  // the text as the program last set it
};

}  // namespace topaline
