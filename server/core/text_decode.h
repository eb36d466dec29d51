// Text files into std::wstring.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace topaline {

class FileSystem;

// A byte-order mark selects UTF-8 or UTF-16 (little or big endian);
// without one the bytes are in the system's ANSI code page
// (FileSystem::decodeAnsi). Malformed sequences become U+FFFD. The result
// is UTF-16 where wchar_t is 16 bits, UTF-32 elsewhere.
std::wstring DecodeText(const std::vector<std::uint8_t>& bytes, FileSystem& files);

std::wstring DecodeUtf8(const std::uint8_t* data, std::size_t size);
std::wstring DecodeUtf16(const std::uint8_t* data, std::size_t size, bool bigEndian);

// Lines ended by CR LF, LF or CR. A final line without an end is kept; no
// empty line is added after a final line end.
std::vector<std::wstring_view> SplitLines(std::wstring_view text);

}  // namespace topaline
