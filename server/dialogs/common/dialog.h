// What every dialog of the server shares: the session it works for, the
// bottom row of Apply / Cancel / Help buttons, Escape closing like Cancel
// (the form sees keys before its controls), errors of its reactions shown
// in the message box, and the creation steps run once its controls exist.
#pragma once

#include <string>

#include "ui/controls.h"

namespace topaline {

struct Session;

class TDialog : public ui::Form {
public:
  // Shows the dialog modally and returns its modal result.
  int ShowModal();

  ui::Button* btAppliquer = nullptr;
  ui::Button* btAnnule = nullptr;
  ui::Button* btAide = nullptr;

protected:
  TDialog(Session& session, std::wstring name, std::wstring helpTopic);

  // btAppliquer, btAnnule, btAide (75 × 25, 8 px apart) with their right
  // edge 8 px from the client area's right edge.
  void AddButtonRow(int top);
  // Relabels the dialog in the interface language. An error is shown in
  // the message box and the dialog goes on with its designed texts.
  void FinishCreation();

  // btAppliquer: the dialog's checks and saving; closes with OK when done.
  virtual void Apply() = 0;
  // Saves the section, sets resultat to 1 and closes with OK.
  void Accept(const std::wstring& section);

  Session& session_;

private:
  std::wstring helpTopic_;
};

// Geometry shared by the dialogs' designs (8-pt Tahoma).
namespace design {
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kCheckHeight = 17;
constexpr int kEditHeight = 21;
constexpr int kTextHeight = 13;
}  // namespace design

}  // namespace topaline
