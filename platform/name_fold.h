// How the registry compares key and value names: without regard to case,
// each UTF-16 unit of the Basic Multilingual Plane folded to upper case by
// Unicode's simple case mapping (so "Œuvre" and "œuvre", "Ÿ" and "ÿ", "Ω"
// and "ω", "Я" and "я" are the same name). The rule for the names a person
// types that the registry keeps: model names, and the names the settings
// sections match to controls.
#pragma once

#include <string>
#include <string_view>

namespace topaline {

wchar_t FoldName(wchar_t c);
std::wstring FoldName(std::wstring_view s);
bool SameName(std::wstring_view a, std::wstring_view b);
// Orders names without regard to case: names that are the same name are
// equivalent; the signs between the two ASCII alphabets ("_", "^"...) come
// before the letters.
bool NameLess(std::wstring_view a, std::wstring_view b);

}  // namespace topaline
