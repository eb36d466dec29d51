#include "server/core/number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace topaline {

namespace {

std::wstring Widen(const char* first, const char* last) {
  return std::wstring(first, last);  // ASCII only
}

// "1.5e+20" -> "1.5E+20"
std::wstring ExponentText(const char* first, const char* last) {
  std::wstring s = Widen(first, last);
  for (auto& c : s)
    if (c == L'e') c = L'E';
  return s;
}

bool IsBlank(wchar_t c) { return static_cast<std::uint32_t>(c) <= 32; }

template <typename T>
std::wstring Shortest(T v) {
  if (std::isnan(v)) return L"NaN";
  if (std::isinf(v)) return v < 0 ? L"-INF" : L"INF";
  if (v == 0) return L"0";
  char buf[400];
  const T a = std::fabs(v);
  if (a >= T(1e15) || a < T(1e-5)) {
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    return ExponentText(buf, r.ptr);
  }
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return Widen(buf, r.ptr);
}

}  // namespace

std::wstring_view TrimBlanks(std::wstring_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  return text.substr(b, e - b);
}

std::wstring IntToText(std::int64_t v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return Widen(buf, r.ptr);
}

std::wstring FormatShortest(double v) { return Shortest(v); }
std::wstring FormatShortest(float v) { return Shortest(v); }

namespace {

// The digits FormatFixed shows for a finite v with decimals (0 to 40):
// |v| times 10^decimals rounded as FormatFixed rounds it, without leading
// zeros ("0" for zero).
std::string FixedDigits(double v, int decimals) {
  // digits: the value times 10^decimals, rounded, as decimal digits.
  std::string digits;
  if (v != 0) {
    // 14 significant digits, correctly rounded: d.ddddddddddddde+XX
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 13);
    std::string sig;
    const char* p = buf;
    for (; p < r.ptr && *p != 'e'; ++p)
      if (*p != '.') sig += *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, exponent);
    // sig[i] stands for 10^(exponent - i); keep those down to 10^-decimals.
    const long keep = long(exponent) + decimals + 1;
    if (keep <= 0) {
      digits = (keep == 0 && sig[0] >= '5') ? "1" : "0";
    } else if (keep >= long(sig.size())) {
      digits = sig + std::string(std::size_t(keep) - sig.size(), '0');
    } else {
      digits = sig.substr(0, std::size_t(keep));
      if (sig[std::size_t(keep)] >= '5') {  // halves away from zero
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0)
          digits.insert(digits.begin(), '1');
        else
          ++digits[i - 1];
      }
    }
  }
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? std::string("0") : digits.substr(first);
}

}  // namespace


std::wstring FormatFixed(double v, int decimals) {
  if (std::isnan(v)) return L"NaN";
  if (std::isinf(v)) return v < 0 ? L"-INF" : L"INF";
  if (decimals < 0) decimals = 0;
  if (decimals > 40) decimals = 40;
  const bool negative = std::signbit(v);
  std::string digits = FixedDigits(v, decimals);
  const bool zero = digits == "0";
  if (digits.size() <= std::size_t(decimals))
    digits.insert(0, std::size_t(decimals) + 1 - digits.size(), '0');
  std::wstring out;
  out.reserve(digits.size() + 2);
  if (negative && !zero) out += L'-';
  const std::size_t intLen = digits.size() - std::size_t(decimals);
  out.append(digits.begin(), digits.begin() + intLen);
  if (decimals > 0) {
    out += L'.';
    out.append(digits.begin() + intLen, digits.end());
  }
  return out;
}

double FixedKey(double v, int decimals) {
  if (!std::isfinite(v)) return v;
  if (decimals < 0) decimals = 0;
  if (decimals > 40) decimals = 40;
  const std::string digits = FixedDigits(v, decimals);
  double n = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), n);
  return std::signbit(v) && n != 0 ? -n : n;
}

ParseResult ParseReal(std::wstring_view text, double& out) {
  text = TrimBlanks(text);
  std::string s;
  s.reserve(text.size());
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  // Mantissa: digits [. digits], at least one digit in all.
  std::size_t intDigits = 0, fracDigits = 0;
  long firstSignificant = 0;  // decimal position of the first non-zero digit
  bool seenNonZero = false;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, ++intDigits) {
    s += char(text[i]);
    if (!seenNonZero && text[i] != L'0') seenNonZero = true;
    if (seenNonZero) ++firstSignificant;
  }
  if (i < text.size() && text[i] == L'.') {
    s += '.';
    for (++i; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, ++fracDigits) {
      s += char(text[i]);
      if (!seenNonZero) {
        if (text[i] != L'0')
          seenNonZero = true;
        else
          --firstSignificant;
      }
    }
  }
  if (intDigits + fracDigits == 0) return ParseResult::Invalid;
  long exponent = 0;
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    s += 'e';
    ++i;
    bool expNegative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
      expNegative = text[i] == L'-';
      s += char(text[i]);
      ++i;
    }
    std::size_t expDigits = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, ++expDigits) {
      s += char(text[i]);
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - L'0');
    }
    if (expDigits == 0) return ParseResult::Invalid;
    if (expNegative) exponent = -exponent;
  }
  if (i != text.size()) return ParseResult::Invalid;
  if (!seenNonZero) {
    out = negative ? -0.0 : 0.0;
    return ParseResult::Ok;
  }
  double value = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Too large is an error; too small for a double reads as zero.
    if (firstSignificant + exponent > 0) return ParseResult::OutOfRange;
    value = 0;
  } else if (r.ec != std::errc() || r.ptr != s.data() + s.size()) {
    return ParseResult::Invalid;
  }
  if (std::isinf(value)) return ParseResult::OutOfRange;
  out = negative ? -value : value;
  return ParseResult::Ok;
}

ParseResult ParseInt32(std::wstring_view text, std::int32_t& out) {
  text = TrimBlanks(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  if (i == text.size()) return ParseResult::Invalid;
  std::int64_t v = 0;
  bool overflow = false;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c < L'0' || c > L'9') return ParseResult::Invalid;
    if (!overflow) {
      v = v * 10 + (c - L'0');
      if (v > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1) overflow = true;
    }
  }
  if (negative) v = -v;
  if (overflow || v > std::numeric_limits<std::int32_t>::max() ||
      v < std::numeric_limits<std::int32_t>::min())
    return ParseResult::OutOfRange;
  out = static_cast<std::int32_t>(v);
  return ParseResult::Ok;
}

}  // namespace topaline
