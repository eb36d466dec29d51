// Which label names which control, and what the window of a control
// without a caption is called.
#include <gtest/gtest.h>

#include "ui/controls.h"
#include "ui/palette_grid.h"
#include "ui/screen_reader.h"
#include "ui/tree_grid.h"

namespace topaline::ui {
namespace {

std::string Faults(const Form& form) {
  std::string all;
  for (const std::wstring& f : ScreenReaderFaults(form)) all += std::string(f.begin(), f.end()) + "\n";
  return all;
}

TEST(ScreenReader, ALabelNamesTheFieldRightAfterItUnderTheSameParent) {
  Form f(L"frm");
  auto& box = f.Add<GroupBox>(nullptr, L"box");
  auto& lbName = f.Add<Label>(&box, L"lbName");
  lbName.SetCaption(L"Name:");
  auto& name = f.Add<Edit>(&box, L"name");
  auto& lbValue = f.Add<Label>(&box, L"lbValue");  // a readout label: another label follows
  lbValue.SetCaption(L"Value:");
  auto& readout = f.Add<Label>(&box, L"readout");
  auto& lbList = f.Add<Label>(nullptr, L"lbList");  // the next field lies in another parent
  lbList.SetCaption(L"List:");
  auto& list = f.Add<ComboBox>(&box, L"list");
  auto& lbButton = f.Add<Label>(&box, L"lbButton");  // a button names itself
  lbButton.SetCaption(L"Press:");
  f.Add<Button>(&box, L"button").SetCaption(L"Go");
  auto& empty = f.Add<Label>(&box, L"empty");  // no caption, names nothing
  auto& track = f.Add<TrackBar>(&box, L"track");

  EXPECT_EQ(NamedControl(lbName), &name);
  EXPECT_EQ(NamingLabel(name), &lbName);
  EXPECT_EQ(NamedControl(lbValue), nullptr);
  EXPECT_EQ(NamedControl(readout), nullptr);
  EXPECT_EQ(NamedControl(lbList), nullptr);
  EXPECT_EQ(NamedControl(lbButton), nullptr);
  EXPECT_EQ(NamedControl(empty), nullptr);
  EXPECT_EQ(Faults(f), "frm.list: no label names it\nfrm.track: no label names it\n");

  // Linked, a label names its control wherever either was created; the
  // label created before the linked control no longer takes it.
  auto& lbTrack = f.Add<Label>(&box, L"lbTrack");
  lbTrack.SetCaption(L"Delay:");
  lbTrack.SetFocusControl(&track);
  empty.SetCaption(L"Delay too");
  EXPECT_EQ(NamingLabel(track), &lbTrack);
  EXPECT_EQ(NamedControl(empty), nullptr);
  // A track bar may carry its name itself instead.
  lbTrack.SetFocusControl(nullptr);
  empty.SetCaption(L"");
  track.SetSpokenName(L"Delay");
  EXPECT_EQ(Faults(f), "frm.list: no label names it\n");
  // An edit's window text is its value: only a label can name it. A link
  // across parents cannot be honoured by the window order.
  lbList.SetFocusControl(&list);
  EXPECT_EQ(Faults(f), "frm.lbList: names list, which lies under another parent\n");
}

TEST(ScreenReader, ControlsWithoutCaptionCarryAWindowName) {
  Form f(L"frm");
  auto& picture = f.Add<Button>(nullptr, L"picture");
  auto& text = f.Add<Button>(nullptr, L"text");
  text.SetCaption(L"Ok");
  auto& bar = f.Add<ToolBar>(nullptr, L"bar");
  auto& tool = f.Add<ToolButton>(&bar, L"tool");
  f.Add<ToolButton>(&bar, L"sep").SetStyle(ToolButton::Style::Separator);
  auto& swatch = f.Add<ColorSwatch>(nullptr, L"swatch");
  auto& cells = f.Add<PaletteGrid>(nullptr, L"cells");
  auto& grid = f.Add<TreeGrid>(nullptr, L"grid");
  auto& editor = f.Add<Edit>(&grid, L"editor");  // an in-place editor: named by its cell
  editor.SetTabStop(false);
  EXPECT_EQ(Faults(f),
            "frm.picture: shows no caption and has no window name\n"
            "frm.tool: shows no caption and has no window name\n"
            "frm.swatch: shows no caption and has no window name\n"
            "frm.cells: shows no caption and has no window name\n"
            "frm.grid: no label names it\n");

  // The caption first, then the spoken name, then the hint.
  picture.SetHint(L"Pick a layer");
  tool.SetHint(L"New group");
  tool.SetSpokenName(L"New");
  swatch.SetSpokenName(L"Frame colour");
  cells.SetSpokenName(L"Palette");
  grid.SetSpokenName(L"Points");
  EXPECT_EQ(WindowName(picture), L"Pick a layer");
  EXPECT_EQ(WindowName(tool), L"New");
  EXPECT_EQ(WindowName(text), L"Ok");
  text.SetSpokenName(L"Apply");
  EXPECT_EQ(WindowName(text), L"Ok");
  EXPECT_EQ(Faults(f), "");
}

}  // namespace
}  // namespace topaline::ui
