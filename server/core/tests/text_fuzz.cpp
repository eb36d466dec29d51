// Fuzzes the readers of untrusted text: the labels file (decoding, lines,
// fields) and the number parsers, with a round-trip check of the
// shortest number format. Build with clang and -DTOPALINE_FUZZ=ON.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/error.h"
#include "server/core/labels.h"
#include "server/core/number_format.h"
#include "server/core/text_decode.h"

using namespace topaline;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring utf8 = DecodeUtf8(data, size);
  const std::wstring utf16 = DecodeUtf16(data, size, size % 2 == 0);
  for (const std::wstring* text : {&utf8, &utf16}) {
    TDesLabels labels;
    try {
      labels.InitFromText(*text, L"fuzz.lng");
      for (const auto& l : labels.Items)
        if (labels.Find(l.Id) == nullptr) std::abort();
    } catch (const Error&) {
    }
    for (auto line : SplitLines(*text)) {
      double v = 0;
      if (ParseReal(line, v) == ParseResult::Ok) {
        double back = 0;
        if (ParseReal(FormatShortest(v), back) != ParseResult::Ok || back != v) std::abort();
        FormatFixed(v, int(size % 20));
      }
      std::int32_t i = 0;
      if (ParseInt32(line, i) == ParseResult::Ok) {
        std::int32_t back = 0;
        if (ParseInt32(IntToText(i), back) != ParseResult::Ok || back != i) std::abort();
      }
    }
  }
  return 0;
}
