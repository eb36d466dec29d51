// Pictures for the windows of a form: the model's image lists (named
// bitmap strips among the module's resources, see ui/res/images.h) turned
// into common-control image lists, and single pictures for image
// controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace topaline::ui {
class ImageList;
}

namespace topaline::msw {

// A strip's pixels, top row first, 0xAARRGGBB with straight alpha.
struct MSWPixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> argb;
};

// Reads a bitmap resource of this module (32 bits with alpha, or 24 bits
// where pure magenta is transparent). False when there is none.
bool MSWLoadBitmapResource(const std::wstring& name, MSWPixels& out);

// The name of a picture resource at a size: the design size is the
// resource's own name, the larger ones carry their size ("TOOLIMAGES"
// at 16 pixels, "TOOLIMAGES_24", "TOOLIMAGES_32").
std::wstring MSWScaledResource(const std::wstring& name, int designSize, int size);

// The same pixels as they look on a disabled control: grey and faded.
MSWPixels MSWDisabledPixels(const MSWPixels& p);

// The image lists of one shown form, made on first use and destroyed
// with the cache (the form binding owns one). Their pictures are those
// made for the form's DPI (MSWPictureSize): a 16-pixel strip of the model
// comes as 24-pixel images at 144 DPI.
class MSWImageCache {
public:
  explicit MSWImageCache(UINT dpi = 96) : dpi_(dpi) {}
  MSWImageCache(const MSWImageCache&) = delete;
  MSWImageCache& operator=(const MSWImageCache&) = delete;
  ~MSWImageCache();

  // The whole list (disabled: the greyed copy); nullptr when the model's
  // list names no strip or the module has no such resource.
  HIMAGELIST List(const ui::ImageList* list, bool disabled = false);
  // A list holding one image of it (a push button's picture).
  HIMAGELIST Single(const ui::ImageList* list, int index);
  // A picture resource composed over a background colour (an image
  // control); nullptr when there is none. Owned by the cache.
  HBITMAP Picture(const std::wstring& resource, COLORREF background);

private:
  // The strip of a list at the form's DPI, with its image size; falls
  // back to the design strip when the module has no larger one.
  bool LoadStrip(const ui::ImageList& list, MSWPixels& px, int& width, int& height) const;

  UINT dpi_;
  using Key = std::tuple<std::wstring, int, int, int, int>;  // resource, w, h, index (-1: all), disabled
  std::map<Key, HIMAGELIST> lists_;
  std::map<std::pair<std::wstring, COLORREF>, HBITMAP> pictures_;
};

}  // namespace topaline::msw
