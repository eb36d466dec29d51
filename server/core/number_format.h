// Numbers <-> text, the one way the product does it: "." as the decimal
// separator whatever the user's regional settings, no thousands
// separator, never through the C locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace topaline {

// Fixed notation with exactly `decimals` decimals (negative counts as 0,
// more than 40 as 40).
//
// At most 14 significant digits are kept: the value is first rounded to
// 14 significant digits (correctly, from its exact binary value), every
// digit past the 14th becomes 0, and that decimal number is then rounded
// to `decimals` decimals, halves away from zero. So 2.675 gives "2.68"
// with 2 decimals (the value typed, not its binary neighbour), and
// 123456789012345678 gives "123456789012350000.0" with 1 decimal.
// A result that rounds to zero never carries a minus sign ("0.000", not
// "-0.000"). Not-a-number gives "NaN", infinities "INF" and "-INF".
std::wstring FormatFixed(double v, int decimals);

// A number ordered as the texts FormatFixed(v, decimals) read as numbers,
// for one number of decimals: equal texts give equal keys, and a text of a
// larger number a larger key (the shown value times 10^decimals). Made
// without the text; NaN and the infinities come back as they are.
double FixedKey(double v, int decimals);

// The shortest text that reads back as exactly v: "12.5", "3", "-0.001".
// Exponent form ("1.5E+20", "1E-07") only when |v| >= 1E+15 or
// 0 < |v| < 1E-5. Negative zero gives "0".
std::wstring FormatShortest(double v);
std::wstring FormatShortest(float v);  // shortest for the float's precision

enum class ParseResult { Ok, Invalid, OutOfRange };

// A decimal number: blanks (codes 0 to 32) around it are ignored; then an
// optional sign, digits with an optional "." and optional decimals (at
// least one digit in all), an optional exponent "e"/"E" with optional
// sign and digits. Nothing else: no ",", no thousands separator, no
// "inf"/"nan", no hexadecimal. A value beyond the range of a double is
// OutOfRange; one too small for a double reads as 0.
ParseResult ParseReal(std::wstring_view text, double& out);
inline bool ParseNumber(std::wstring_view text, double& out) {
  return ParseReal(text, out) == ParseResult::Ok;
}

// A decimal integer: blanks around it ignored, optional sign, ASCII digits
// only. Beyond the int32 range is OutOfRange (never wrapped).
ParseResult ParseInt32(std::wstring_view text, std::int32_t& out);

// Decimal text of an integer.
std::wstring IntToText(std::int64_t v);

// text without the characters of codes 0 to 32 at both ends.
std::wstring_view TrimBlanks(std::wstring_view text);

}  // namespace topaline
