#include "server/core/text_decode.h"

#include "platform/platform.h"

namespace topaline {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void Append(std::wstring& out, char32_t cp) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += wchar_t(0xD800 + (cp >> 10));
      out += wchar_t(0xDC00 + (cp & 0x3FF));
      return;
    }
  }
  out += wchar_t(cp);
}

}  // namespace

std::wstring DecodeUtf8(const std::uint8_t* d, std::size_t n) {
  std::wstring out;
  out.reserve(n);
  std::size_t i = 0;
  while (i < n) {
    const std::uint8_t b = d[i];
    if (b < 0x80) {
      out += wchar_t(b);
      ++i;
      continue;
    }
    std::size_t len = 0;
    char32_t cp = 0, min = 0;
    if (b >= 0xC2 && b <= 0xDF) { len = 2; cp = b & 0x1F; min = 0x80; }
    else if (b >= 0xE0 && b <= 0xEF) { len = 3; cp = b & 0x0F; min = 0x800; }
    else if (b >= 0xF0 && b <= 0xF4) { len = 4; cp = b & 0x07; min = 0x10000; }
    std::size_t k = 1;
    if (len != 0) {
      for (; k < len && i + k < n && (d[i + k] & 0xC0) == 0x80; ++k) cp = (cp << 6) | (d[i + k] & 0x3F);
    }
    if (len == 0 || k < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      Append(out, kReplacement);
      i += (len == 0 || k == 0) ? 1 : k;  // skip the lead byte and the continuation bytes seen
      continue;
    }
    Append(out, cp);
    i += len;
  }
  return out;
}

std::wstring DecodeUtf16(const std::uint8_t* d, std::size_t n, bool bigEndian) {
  std::wstring out;
  out.reserve(n / 2 + 1);
  auto unit = [&](std::size_t i) -> char32_t {
    return bigEndian ? char32_t(d[i] << 8 | d[i + 1]) : char32_t(d[i + 1] << 8 | d[i]);
  };
  std::size_t i = 0;
  for (; i + 1 < n; i += 2) {
    char32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < n) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        Append(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    if (u >= 0xD800 && u <= 0xDFFF) u = kReplacement;  // a lone surrogate
    Append(out, u);
  }
  if (i < n) Append(out, kReplacement);  // an odd last byte
  return out;
}

std::wstring DecodeText(const std::vector<std::uint8_t>& bytes, FileSystem& files) {
  const std::uint8_t* d = bytes.data();
  const std::size_t n = bytes.size();
  if (n >= 3 && d[0] == 0xEF && d[1] == 0xBB && d[2] == 0xBF) return DecodeUtf8(d + 3, n - 3);
  if (n >= 2 && d[0] == 0xFF && d[1] == 0xFE) return DecodeUtf16(d + 2, n - 2, false);
  if (n >= 2 && d[0] == 0xFE && d[1] == 0xFF) return DecodeUtf16(d + 2, n - 2, true);
  return files.decodeAnsi(d, n);
}

std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace topaline
