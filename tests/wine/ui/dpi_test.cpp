// A form at the screen's DPI: its size, its controls' places and font, and
// the size of the pictures of its tool buttons, picture buttons and image
// controls. The suite runs at 96 DPI in its own prefix and again at 144
// and 192 DPI in the high-DPI prefix (tests/wine/dpi), which names the DPI
// it set in TOPALINE_TEST_DPI.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wine/ui/driver.h"
#include "ui/res/images.h"
#include "ui/ui.h"
#include "win32/ui/msw_form_runner.h"
#include "win32/ui/msw_metrics.h"

using namespace topaline;
namespace u = topaline::ui;
namespace img = topaline::ui::images;
using namespace wine_ui;

namespace {

UINT ExpectedDpi() {
  const char* v = std::getenv("TOPALINE_TEST_DPI");
  return v && *v ? static_cast<UINT>(std::atoi(v)) : 96;
}

UINT ScreenDpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return static_cast<UINT>(dpi);
}

int Scaled(int design, UINT dpi) { return MulDiv(design, static_cast<int>(dpi), 96); }

struct DpiForm : u::Form {
  DpiForm() : Form(L"frmDpi") {
    SetClientSize(300, 140);
    auto& tools = Add<u::ImageList>(this, L"ImageList1");
    tools.SetStrip(img::kToolImages, 16, 16, img::kToolImageCount);
    auto& buttons = Add<u::ImageList>(this, L"ImageList2");
    buttons.SetStrip(img::kButtonImages, 16, 16, img::kButtonImageCount);

    auto& bar = Add<u::ToolBar>(nullptr, L"ToolBar1", {8, 8, 40, 34});
    bar.SetImages(&tools);
    bar.SetShowCaptions(false);
    auto& help = Add<u::ToolButton>(&bar, L"btAide", {2, 2, 30, 28});
    help.SetImageIndex(img::kToolHelp);
    auto& browse = Add<u::Button>(nullptr, L"BitBtn1", {60, 10, 28, 25});
    browse.SetImages(&buttons);
    browse.SetImageIndex(img::kButtonBrowse);
    Add<u::Edit>(nullptr, L"edNom", {100, 12, 150, 21});
    auto& label = Add<u::Label>(nullptr, L"Label1", {100, 40, 120, 13});
    label.SetAutoSize(false);
    label.SetCaption(L"Nom du groupe");
    auto& picture = Add<u::Image>(nullptr, L"Image1", {8, 60, 34, 34});
    picture.SetResource(img::kFileExistsPicture);
    auto& close = Add<u::Button>(nullptr, L"btFermer", {215, 105, 75, 25});
    close.SetCaption(L"Fermer");
    close.SetModalResult(u::mrCancel);
  }
};

// The rectangle of a child in its parent's client coordinates.
RECT PlaceIn(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The box around the pixels of a painted control that differ from its
// face (the top left corner's colour): what its picture covers.
SIZE DrawnExtent(HWND control) {
  int w = 0, h = 0;
  const std::vector<unsigned> px = Snapshot(control, &w, &h);
  if (px.empty()) return SIZE{0, 0};
  const unsigned face = px[0];
  int left = w, right = -1, top = h, bottom = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned p = px[static_cast<size_t>(y) * w + x];
      int d = 0;
      for (int shift : {0, 8, 16}) d += std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((face >> shift) & 0xFF));
      if (d < 60) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  return right < 0 ? SIZE{0, 0} : SIZE{right - left + 1, bottom - top + 1};
}

}  // namespace

TEST(Win32Dpi, PictureSizeIsTheLargestStepThatFits) {
  struct Case {
    int design;
    UINT dpi;
    int size;
  };
  for (const Case& c : {Case{16, 96, 16}, Case{16, 120, 16}, Case{16, 144, 24}, Case{16, 168, 24}, Case{16, 192, 32},
                        Case{16, 288, 32}, Case{32, 96, 32}, Case{32, 144, 48}, Case{32, 192, 64}})
    EXPECT_EQ(msw::MSWPictureSize(c.design, c.dpi), c.size) << c.design << " px at " << c.dpi << " DPI";
}

TEST(Win32Dpi, FormControlsFontAndPicturesTakeTheScreensDpi) {
  const UINT dpi = ExpectedDpi();
  ASSERT_EQ(ScreenDpi(), dpi) << "the prefix does not run at the DPI the test was started for";
  const int picture = dpi >= 192 ? 32 : dpi >= 144 ? 24 : 16;

  msw::MSWFormRunner runner;
  DpiForm form;
  RECT client{};
  struct Placed {
    const wchar_t* name;
    RECT design;  // left, top, right, bottom in design pixels, in the parent
    RECT got;
  };
  std::vector<Placed> places{{L"ToolBar1", {8, 8, 48, 42}, {}},   {L"btAide", {2, 2, 32, 30}, {}},
                             {L"BitBtn1", {60, 10, 88, 35}, {}},  {L"edNom", {100, 12, 250, 33}, {}},
                             {L"Label1", {100, 40, 220, 53}, {}}, {L"btFermer", {215, 105, 290, 130}, {}}};
  LOGFONTW font{};
  int buttonPicture = -1;
  SIZE toolPicture{}, imagePicture{};
  RunScripted(
      [&] {
        HWND f = WaitForForm(L"frmDpi");
        ASSERT_TRUE(f);
        GetClientRect(f, &client);
        for (auto& p : places) {
          HWND c = FindControl(f, p.name);
          ASSERT_TRUE(c) << "no control";
          p.got = PlaceIn(c);
        }
        HWND edit = FindControl(f, L"edNom");
        auto hfont = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
        if (hfont) GetObjectW(hfont, sizeof font, &font);
        BUTTON_IMAGELIST bil{};
        if (SendMessageW(FindControl(f, L"BitBtn1"), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil)) && bil.himl) {
          int w = 0, h = 0;
          ImageList_GetIconSize(bil.himl, &w, &h);
          buttonPicture = w == h ? w : -w;
        }
        toolPicture = DrawnExtent(FindControl(f, L"btAide"));
        auto bmp = reinterpret_cast<HBITMAP>(SendMessageW(FindControl(f, L"Image1"), STM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP bm{};
        if (bmp && GetObjectW(bmp, sizeof bm, &bm)) imagePicture = SIZE{bm.bmWidth, bm.bmHeight};
        Click(FindControl(f, L"btFermer"));
      },
      [&] { runner.ShowModal(form); });

  EXPECT_EQ(client.right, Scaled(300, dpi));
  EXPECT_EQ(client.bottom, Scaled(140, dpi));
  for (const auto& p : places) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(p.name)));
    EXPECT_EQ(p.got.left, Scaled(p.design.left, dpi));
    EXPECT_EQ(p.got.top, Scaled(p.design.top, dpi));
    EXPECT_EQ(p.got.right, Scaled(p.design.right, dpi));
    EXPECT_EQ(p.got.bottom, Scaled(p.design.bottom, dpi));
  }
  // Tahoma 8 points at the screen's DPI.
  EXPECT_EQ(font.lfHeight, -MulDiv(8, static_cast<int>(dpi), 72));
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Tahoma");
  EXPECT_EQ(buttonPicture, picture);
  // The help picture, a disc, covers most of its square, and no more.
  EXPECT_LE(toolPicture.cx, picture);
  EXPECT_LE(toolPicture.cy, picture);
  EXPECT_GT(toolPicture.cx, picture * 3 / 4) << "drawn " << toolPicture.cx << " x " << toolPicture.cy;
  EXPECT_GT(toolPicture.cy, picture * 3 / 4);
  // The image control's picture is designed at 32 pixels.
  EXPECT_EQ(imagePicture.cx, picture * 2);
  EXPECT_EQ(imagePicture.cy, picture * 2);
}
