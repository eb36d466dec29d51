// The labels file as it arrives from the installation folder: every
// encoding the reader knows (ANSI, UTF-8 and UTF-16 either way, chosen by
// a byte-order mark), then lines and fields; and the number parsers with
// a round trip of the number formats.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/headless/headless_platform.h"
#include "server/core/labels.h"
#include "server/core/number_format.h"
#include "server/core/text_decode.h"

using namespace topaline;

namespace {

// The byte-order marks the reader tells apart; none means ANSI.
const std::vector<std::vector<std::uint8_t>> kMarks = {
    {}, {0xEF, 0xBB, 0xBF}, {0xFF, 0xFE}, {0xFE, 0xFF}};

void CheckLabels(const std::vector<std::uint8_t>& bytes) {
  HeadlessPlatform host;
  host.files.addFile(L"C:\\t\\language.lng", bytes);
  TDesLabels labels;
  try {
    labels.Init(L"C:\\t\\language.lng", host.platform);
  } catch (const Error&) {
    return;
  }
  for (const auto& l : labels.Items) {
    const TUnLabel* first = labels.Find(l.Id);
    if (first == nullptr || first->Id != l.Id || first > &l) std::abort();
  }
  // A missing label is reported in one box and reads as its number.
  const std::size_t boxes = host.system.boxes.size();
  if (labels.Find(-2147483647 - 1) == nullptr) {
    if (labels.Get(-2147483647 - 1) != nullptr || host.system.boxes.size() != boxes + 1) std::abort();
  }
}

void CheckNumbers(std::wstring_view text) {
  for (auto line : SplitLines(text)) {
    double v = 0;
    if (ParseReal(line, v) == ParseResult::Ok) {
      double back = 0;
      if (ParseReal(FormatShortest(v), back) != ParseResult::Ok || back != v) std::abort();
      FormatFixed(v, int(line.size() % 20));
    }
    std::int32_t i = 0;
    if (ParseInt32(line, i) == ParseResult::Ok) {
      std::int32_t back = 0;
      if (ParseInt32(IntToText(i), back) != ParseResult::Ok || back != i) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks a byte-order mark to put before the rest (the
  // rest may carry its own).
  const auto& mark = kMarks[data[0] % kMarks.size()];
  std::vector<std::uint8_t> bytes(mark);
  bytes.insert(bytes.end(), data + 1, data + size);
  CheckLabels(bytes);

  HeadlessFileSystem files;
  const std::wstring text = DecodeText(bytes, files);
  CheckNumbers(text);
  return 0;
}
