#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error.h"
#include "ui/ui.h"

using namespace topaline;
using namespace topaline::ui;

namespace {

// A form with two fields, a check box and OK / Cancel buttons, and a log
// of the reactions in the order they ran.
struct LogForm : Form {
  std::vector<std::wstring> log;
  Edit& a;
  Edit& b;
  CheckBox& box;
  Button& ok;
  Button& cancel;

  LogForm()
      : Form(L"frmLog"),
        a(Add<Edit>(nullptr, L"a", {8, 8, 100, 21})),
        b(Add<Edit>(nullptr, L"b", {8, 40, 100, 21})),
        box(Add<CheckBox>(nullptr, L"box", {8, 70, 100, 17})),
        ok(Add<Button>(nullptr, L"ok", {8, 100, 75, 25})),
        cancel(Add<Button>(nullptr, L"cancel", {90, 100, 75, 25})) {
    SetClientSize(200, 140);
    for (Component* c : std::vector<Component*>{&a, &b, &box, &ok, &cancel}) {
      c->OnEnter = [this, c] { log.push_back(L"enter " + c->Name()); };
      c->OnExit = [this, c] { log.push_back(L"exit " + c->Name()); };
    }
    ok.OnClick = [this] { log.push_back(L"click ok"); };
    cancel.OnClick = [this] { log.push_back(L"click cancel"); };
  }
};

class RecordingPeer : public ControlPeer {
public:
  std::vector<std::pair<std::wstring, Property>> changes;
  void Changed(Component& c, Property p) override { changes.emplace_back(c.Name(), p); }
};

}  // namespace

TEST(Form, FindsComponentsByNameExactlyOrIgnoringCase) {
  LogForm f;
  auto& e = f.Add<Edit>(nullptr, L"Élan");
  EXPECT_EQ(f.FindComponent(L"a"), &f.a);
  EXPECT_EQ(f.FindComponent(L"A"), nullptr);
  EXPECT_EQ(f.FindComponentNoCase(L"BOX"), &f.box);
  EXPECT_EQ(f.FindComponentNoCase(L"éLAN"), &e);  // Latin-1 letters fold too
  EXPECT_EQ(&f.Get<CheckBox>(L"box"), &f.box);
  EXPECT_THROW(f.Get<Button>(L"box"), Error);
  EXPECT_THROW(f.Get<Button>(L"nothing"), Error);
  // Creation order.
  ASSERT_EQ(f.ComponentCount(), 6);
  EXPECT_EQ(f.ComponentAt(0).Name(), L"a");
  EXPECT_EQ(f.ComponentAt(5).Name(), L"Élan");
  EXPECT_EQ(e.CreationIndex(), 5);
}

TEST(Form, FocusRunsExitOfOldThenEnterOfNew) {
  LogForm f;
  f.a.SetFocus();
  f.b.UserFocus();
  f.ok.UserClick();  // a push button takes the focus before its click
  EXPECT_EQ(f.log, (std::vector<std::wstring>{L"enter a", L"exit a", L"enter b", L"exit b", L"enter ok",
                                               L"click ok"}));
  EXPECT_EQ(f.ActiveControl(), &f.ok);
}

TEST(Form, ExitReactionCanKeepTheFocusAndThenTheClickIsLost) {
  LogForm f;
  f.a.OnExit = [&] {
    f.log.push_back(L"exit a");
    f.a.SelectAll();
    f.a.SetFocus();  // a field that refuses to be left
  };
  f.a.SetFocus();
  f.log.clear();
  f.ok.UserClick();
  EXPECT_EQ(f.ActiveControl(), &f.a);
  EXPECT_EQ(f.log, (std::vector<std::wstring>{L"exit a"}));  // no enter, no click
}

TEST(Form, HiddenOrDisabledControlsCannotTakeTheFocus) {
  LogForm f;
  auto& panel = f.Add<Panel>(nullptr, L"panel", {0, 0, 100, 100});
  auto& inner = f.Add<Edit>(&panel, L"inner", {1, 1, 50, 21});
  panel.SetEnabled(false);
  inner.SetFocus();
  EXPECT_EQ(f.ActiveControl(), nullptr);
  panel.SetEnabled(true);
  inner.SetFocus();
  EXPECT_EQ(f.ActiveControl(), &inner);
  panel.SetVisible(false);  // hiding the focused control's parent drops the focus
  EXPECT_EQ(f.ActiveControl(), nullptr);
}

TEST(Form, EnterClicksDefaultButtonAndEscapeTheCancelButton) {
  LogForm f;
  f.ok.SetDefault(true);
  f.ok.SetModalResult(mrOk);
  f.cancel.SetCancel(true);
  f.cancel.SetModalResult(mrCancel);
  f.a.SetFocus();
  f.a.UserKey(Key::Enter);
  EXPECT_EQ(f.GetModalResult(), mrOk);
  EXPECT_EQ(f.ActiveControl(), &f.a);  // the default button does not take the focus
  f.SetModalResult(mrNone);
  f.a.UserKey(Key::Escape);
  EXPECT_EQ(f.GetModalResult(), mrCancel);
  EXPECT_EQ(f.log.back(), L"click cancel");
  // A focused button takes Enter itself.
  f.SetModalResult(mrNone);
  f.cancel.SetFocus();
  f.cancel.UserKey(Key::Enter);
  EXPECT_EQ(f.GetModalResult(), mrCancel);
}

TEST(Form, KeyPreviewSeesKeysFirstAndCanSwallowThem) {
  LogForm f;
  f.SetKeyPreview(true);
  std::vector<std::wstring> order;
  f.OnKeyDown = [&](int& key, ShiftState) {
    order.push_back(L"form down");
    if (key == Key::Escape) {
      key = 0;
      f.Close();
    }
  };
  f.OnKeyPress = [&](wchar_t& ch) {
    order.push_back(L"form press");
    if (ch == L'x') ch = 0;
  };
  f.OnKeyUp = [&](int&, ShiftState) { order.push_back(L"form up"); };
  f.a.OnKeyDown = [&](int&, ShiftState) { order.push_back(L"a down"); };
  f.a.OnKeyPress = [&](wchar_t&) { order.push_back(L"a press"); };
  f.a.OnKeyUp = [&](int&, ShiftState) { order.push_back(L"a up"); };
  f.a.UserType(L"yx");
  EXPECT_EQ(f.a.Text(), L"y");
  EXPECT_EQ(order, (std::vector<std::wstring>{L"form down", L"a down", L"form press", L"a press", L"form up",
                                              L"a up", L"form down", L"a down", L"form press", L"form up",
                                              L"a up"}));
  order.clear();
  f.a.UserKey(Key::Escape);
  EXPECT_EQ(f.GetModalResult(), mrCancel);
  EXPECT_EQ(order, (std::vector<std::wstring>{L"form down"}));  // nothing reaches the closed form's field
}

TEST(Form, TabMovesFocusInCreationOrderSkippingDisabledControls) {
  LogForm f;
  f.b.SetEnabled(false);
  f.a.SetFocus();
  f.a.UserKey(Key::Tab);
  EXPECT_EQ(f.ActiveControl(), &f.box);
  f.box.UserKey(Key::Tab, ShiftState{true, false, false});
  EXPECT_EQ(f.ActiveControl(), &f.a);
  f.cancel.SetFocus();
  f.cancel.UserKey(Key::Tab);
  EXPECT_EQ(f.ActiveControl(), &f.a);  // wraps
  EXPECT_EQ(f.a.Text(), L"");          // Tab inserts nothing
}

TEST(Form, CloseGivesCancelUnlessAResultIsSet) {
  LogForm f;
  f.UserClose();
  EXPECT_EQ(f.GetModalResult(), mrCancel);
  f.SetModalResult(mrOk);
  f.Close();
  EXPECT_EQ(f.GetModalResult(), mrOk);
}

TEST(Form, ExceptionsFromReactionsAreReportedAndTheFormGoesOn) {
  LogForm f;
  std::vector<std::wstring> reported;
  f.ok.OnClick = [] { throw Error(L"boom"); };
  f.ok.UserClick();
  ASSERT_EQ(f.UnreportedErrors().size(), 1u);
  EXPECT_EQ(f.UnreportedErrors()[0], L"boom");
  f.OnError = [&](const std::wstring& m) { reported.push_back(m); };
  f.box.OnClick = [] { throw std::runtime_error("std"); };
  f.box.UserClick();
  EXPECT_EQ(reported, (std::vector<std::wstring>{L"Internal error: std"}));
  EXPECT_TRUE(f.box.Checked());  // the state changed before the reaction failed
  // Programmatic calls let the exception through (a load must stop).
  EXPECT_THROW(f.box.SetChecked(false), std::runtime_error);
}

TEST(Form, AlignDocksAndAnchorsFollowResizes) {
  Form f(L"frm");
  f.SetBorderStyle(BorderStyle::Sizeable);
  f.SetClientSize(400, 300);
  auto& bottom = f.Add<Panel>(nullptr, L"bottom", {0, 0, 10, 35});
  bottom.SetAlign(Align::Bottom);
  auto& client = f.Add<Panel>(nullptr, L"client");
  client.SetAlign(Align::Client);
  auto& right = f.Add<Button>(nullptr, L"right", {300, 10, 75, 25});
  right.SetAnchors({false, true, true, false});
  EXPECT_EQ(bottom.Bounds(), (Rect{0, 265, 400, 35}));
  EXPECT_EQ(client.Bounds(), (Rect{0, 0, 400, 265}));
  f.SetClientSize(500, 400);
  EXPECT_EQ(bottom.Bounds(), (Rect{0, 365, 500, 35}));
  EXPECT_EQ(client.Bounds(), (Rect{0, 0, 500, 365}));
  EXPECT_EQ(right.Left(), 400);
  // Minimum size holds.
  f.SetMinSize({300, 200});
  f.SetBounds(0, 0, 100, 100);
  EXPECT_EQ(f.Width(), 300);
  EXPECT_EQ(f.Height(), 200);
}

TEST(Form, PlacementCentresAndBringsBackOntoTheWorkArea) {
  Form f(L"frm");
  f.SetBounds(0, 0, 200, 100);
  f.CenterOn({0, 0, 1000, 500});
  EXPECT_EQ(f.Bounds(), (Rect{400, 200, 200, 100}));
  f.SetBounds(-3000, 900, 200, 100);
  f.KeepInside({0, 0, 1000, 500});
  EXPECT_EQ(f.Bounds(), (Rect{0, 400, 200, 100}));
}

// The binding corrects the estimated frame to the real one: a designed
// client size stays, and so does an outer size given afterwards (a window
// restored where and as it was closed); a move alone changes neither.
TEST(Form, TheFrameCorrectionKeepsWhicheverSizeWasGivenLast) {
  Form designed(L"frm");
  designed.SetClientSize(300, 200);
  designed.SetLeft(40);
  designed.SetFrameExtra({8, 27});
  EXPECT_EQ(designed.ClientWidth(), 300);
  EXPECT_EQ(designed.ClientHeight(), 200);
  EXPECT_EQ(designed.Bounds(), (Rect{40, 0, 308, 227}));

  Form restored(L"frm");
  restored.SetClientSize(300, 200);
  restored.SetBounds(Rect{10, 20, 500, 400});
  restored.SetTop(30);
  restored.SetFrameExtra({8, 27});
  EXPECT_EQ(restored.Bounds(), (Rect{10, 30, 500, 400}));
  EXPECT_EQ(restored.ClientWidth(), 492);
  EXPECT_EQ(restored.ClientHeight(), 373);
}

TEST(Form, PeersHearOfChangesAndUpdatesHoldThemBack) {
  RecordingPeer peer;  // outlives the form, which tells it of each control's end
  LogForm f;
  f.box.SetPeer(&peer);
  f.a.SetPeer(&peer);
  f.box.SetChecked(true);
  f.box.SetChecked(true);  // no change, no notification
  ASSERT_EQ(peer.changes.size(), 1u);
  EXPECT_EQ(peer.changes[0].second, Property::Checked);
  peer.changes.clear();
  f.BeginUpdate();
  f.a.SetText(L"x");
  f.a.SetText(L"xy");
  EXPECT_TRUE(peer.changes.empty());
  f.EndUpdate();
  EXPECT_EQ(peer.changes.size(), 2u);  // Text and Selection once each
}
