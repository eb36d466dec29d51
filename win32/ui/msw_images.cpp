#include "win32/ui/msw_images.h"

#include <algorithm>
#include <utility>

#include "ui/controls.h"
#include "win32/ui/msw_metrics.h"
#include "win32/ui/msw_module.h"

namespace topaline::msw {

bool MSWLoadBitmapResource(const std::wstring& name, MSWPixels& out) {
  if (name.empty()) return false;
  HRSRC res = FindResourceW(MSWInstance(), name.c_str(), reinterpret_cast<LPCWSTR>(RT_BITMAP));
  if (!res) return false;
  HGLOBAL mem = LoadResource(MSWInstance(), res);
  DWORD size = SizeofResource(MSWInstance(), res);
  const auto* data = static_cast<const BYTE*>(mem ? LockResource(mem) : nullptr);
  if (!data || size < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER bi;
  std::copy(data, data + sizeof bi, reinterpret_cast<BYTE*>(&bi));
  if (bi.biSize < sizeof bi || bi.biCompression != BI_RGB || (bi.biBitCount != 32 && bi.biBitCount != 24) ||
      bi.biWidth <= 0 || bi.biHeight == 0)
    return false;
  const int w = bi.biWidth, h = bi.biHeight > 0 ? bi.biHeight : -bi.biHeight;
  const bool bottomUp = bi.biHeight > 0;
  const int bytes = bi.biBitCount / 8;
  const size_t stride = (static_cast<size_t>(w) * bytes + 3) & ~size_t{3};
  if (bi.biSize + stride * static_cast<size_t>(h) > size) return false;
  const BYTE* bits = data + bi.biSize;
  out.width = w;
  out.height = h;
  out.argb.assign(static_cast<size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y) {
    const BYTE* row = bits + stride * static_cast<size_t>(bottomUp ? h - 1 - y : y);
    for (int x = 0; x < w; ++x) {
      const BYTE* p = row + static_cast<size_t>(x) * bytes;
      std::uint32_t a = bytes == 4 ? p[3] : 255;
      if (bytes == 3 && p[0] == 255 && p[1] == 0 && p[2] == 255) a = 0;
      out.argb[static_cast<size_t>(y) * w + x] = (a << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
  }
  return true;
}

std::wstring MSWScaledResource(const std::wstring& name, int designSize, int size) {
  return size == designSize ? name : name + L"_" + std::to_wstring(size);
}

MSWPixels MSWDisabledPixels(const MSWPixels& p) {
  MSWPixels g = p;
  for (auto& px : g.argb) {
    std::uint32_t a = px >> 24, r = (px >> 16) & 0xFF, gr = (px >> 8) & 0xFF, b = px & 0xFF;
    std::uint32_t lum = (r * 77 + gr * 150 + b * 29) >> 8;
    std::uint32_t v = 72 + lum / 2;  // mid greys: faded, still legible
    px = ((a * 3 / 4) << 24) | (v << 16) | (v << 8) | v;
  }
  return g;
}

namespace {

// A 32-bit top-down DIB section holding the pixels (straight alpha, as
// image lists expect them).
HBITMAP makeDib(const MSWPixels& p, int x0, int width) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -p.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp || !bits) return bmp;
  auto* dst = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < width; ++x) dst[static_cast<size_t>(y) * width + x] = p.argb[static_cast<size_t>(y) * p.width + x0 + x];
  GdiFlush();
  return bmp;
}

}  // namespace

MSWImageCache::~MSWImageCache() {
  for (auto& l : lists_)
    if (l.second) ImageList_Destroy(l.second);
  for (auto& p : pictures_)
    if (p.second) DeleteObject(p.second);
}

bool MSWImageCache::LoadStrip(const ui::ImageList& list, MSWPixels& px, int& width, int& height) const {
  const int size = MSWPictureSize(list.ImageHeight(), dpi_);
  if (size != list.ImageHeight()) {
    width = MulDiv(list.ImageWidth(), size, list.ImageHeight());
    height = size;
    if (MSWLoadBitmapResource(MSWScaledResource(list.Resource(), list.ImageHeight(), size), px) && px.height == height &&
        px.width >= width)
      return true;
  }
  width = list.ImageWidth();
  height = list.ImageHeight();
  return MSWLoadBitmapResource(list.Resource(), px) && px.height == height && px.width >= width;
}

HIMAGELIST MSWImageCache::List(const ui::ImageList* list, bool disabled) {
  if (!list || list->Resource().empty() || list->ImageWidth() <= 0 || list->ImageHeight() <= 0) return nullptr;
  Key key{list->Resource(), list->ImageWidth(), list->ImageHeight(), -1, disabled ? 1 : 0};
  auto it = lists_.find(key);
  if (it != lists_.end()) return it->second;
  HIMAGELIST himl = nullptr;
  MSWPixels px;
  int w = 0, h = 0;
  if (LoadStrip(*list, px, w, h)) {
    if (disabled) px = MSWDisabledPixels(px);
    const int count = px.width / w;
    himl = ImageList_Create(w, h, ILC_COLOR32, count, 0);
    if (HBITMAP bmp = himl ? makeDib(px, 0, count * w) : nullptr) {
      ImageList_Add(himl, bmp, nullptr);
      DeleteObject(bmp);
    }
  }
  lists_[key] = himl;
  return himl;
}

HIMAGELIST MSWImageCache::Single(const ui::ImageList* list, int index) {
  if (!list || index < 0 || list->Resource().empty() || list->ImageWidth() <= 0 || list->ImageHeight() <= 0)
    return nullptr;
  Key key{list->Resource(), list->ImageWidth(), list->ImageHeight(), index, 0};
  auto it = lists_.find(key);
  if (it != lists_.end()) return it->second;
  HIMAGELIST himl = nullptr;
  MSWPixels px;
  int w = 0, h = 0;
  if (LoadStrip(*list, px, w, h) && (index + 1) * w <= px.width) {
    himl = ImageList_Create(w, h, ILC_COLOR32, 1, 0);
    if (HBITMAP bmp = himl ? makeDib(px, index * w, w) : nullptr) {
      ImageList_Add(himl, bmp, nullptr);
      DeleteObject(bmp);
    }
  }
  lists_[key] = himl;
  return himl;
}

HBITMAP MSWImageCache::Picture(const std::wstring& resource, COLORREF background) {
  auto key = std::make_pair(resource, background);
  auto it = pictures_.find(key);
  if (it != pictures_.end()) return it->second;
  HBITMAP bmp = nullptr;
  MSWPixels px;
  if (MSWLoadBitmapResource(resource, px)) {
    // The picture made for the form's DPI, when the module has it.
    const int size = MSWPictureSize(px.height, dpi_);
    MSWPixels scaled;
    if (size != px.height && MSWLoadBitmapResource(MSWScaledResource(resource, px.height, size), scaled) &&
        scaled.height == size)
      px = std::move(scaled);
    // Composed over the background: a static control shows it as is.
    const std::uint32_t br = GetRValue(background), bg = GetGValue(background), bb = GetBValue(background);
    for (auto& p : px.argb) {
      std::uint32_t a = p >> 24;
      auto mix = [a](std::uint32_t c, std::uint32_t under) { return (c * a + under * (255 - a) + 127) / 255; };
      p = 0xFF000000u | (mix((p >> 16) & 0xFF, br) << 16) | (mix((p >> 8) & 0xFF, bg) << 8) | mix(p & 0xFF, bb);
    }
    bmp = makeDib(px, 0, px.width);
  }
  pictures_[key] = bmp;
  return bmp;
}

}  // namespace topaline::msw
