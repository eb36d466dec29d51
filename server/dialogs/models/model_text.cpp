#include "server/dialogs/models/model_text.h"

#include <charconv>
#include <cstdint>

namespace topaline {
namespace {

struct FieldSpec {
  ModelFieldKind kind;
  const wchar_t* fallback;
};

constexpr FieldSpec kSpecs[kModelFields] = {
    {ModelFieldKind::Check, L"1"},       {ModelFieldKind::Text, L"points"},   {ModelFieldKind::Check, L"1"},
    {ModelFieldKind::Text, L"numeros"},  {ModelFieldKind::Number, L"0.000"},  {ModelFieldKind::Check, L"1"},
    {ModelFieldKind::Text, L"altitude"}, {ModelFieldKind::Number, L"0.000"},  {ModelFieldKind::List, L"2"},
    {ModelFieldKind::Check, L"0"},       {ModelFieldKind::Text, L""},         {ModelFieldKind::Number, L"0.000"},
    {ModelFieldKind::Number, L"0.000"},  {ModelFieldKind::Colour, L"1"},      {ModelFieldKind::Colour, L"1"},
    {ModelFieldKind::Colour, L"1"},      {ModelFieldKind::Colour, L"1"},
};

// A whole decimal number (optional sign), nothing else around it.
bool ParseInteger(std::wstring_view text, std::int64_t& out) {
  std::string narrow;
  for (wchar_t c : text) {
    if (c > 127) return false;
    narrow += static_cast<char>(c);
  }
  if (!narrow.empty() && narrow[0] == '+') narrow.erase(0, 1);
  if (narrow.empty()) return false;
  const char* end = narrow.data() + narrow.size();
  auto [p, ec] = std::from_chars(narrow.data(), end, out);
  return ec == std::errc() && p == end;
}

const FieldSpec& Spec(int field) { return kSpecs[static_cast<std::size_t>(field)]; }

}  // namespace

ModelFieldKind FieldKind(int field) { return Spec(field).kind; }
const wchar_t* DefaultFieldText(int field) { return Spec(field).fallback; }

std::wstring DefaultModelText() {
  ModelFields fields;
  for (int i = 0; i < kModelFields; ++i) fields[static_cast<std::size_t>(i)] = DefaultFieldText(i);
  return JoinModelText(fields);
}

ModelFields SplitModelText(std::wstring_view text) {
  ModelFields fields;
  for (std::wstring& field : fields) {
    const auto bar = text.find(L'|');
    if (bar == std::wstring_view::npos) break;
    field.assign(text.substr(0, bar));
    text.remove_prefix(bar + 1);
  }
  return fields;
}

std::wstring JoinModelText(const ModelFields& fields) {
  std::wstring text;
  for (const std::wstring& field : fields) {
    text += WithoutBars(field);
    text += L'|';
  }
  return text;
}

bool FieldChecked(int field, std::wstring_view text) {
  std::int64_t n = 0;
  if (!ParseInteger(text, n)) ParseInteger(DefaultFieldText(field), n);
  return n != 0;
}

int FieldColour(int field, std::wstring_view text) {
  std::int64_t n = 0;
  if (!ParseInteger(text, n) || n < 0 || n > 256) ParseInteger(DefaultFieldText(field), n);
  return static_cast<int>(n);
}

std::wstring WithoutBars(std::wstring_view text) {
  std::wstring out;
  for (wchar_t c : text)
    if (c != L'|') out += c;
  return out;
}

bool LayerRequired(const ModelFields& fields, int layerField) {
  using namespace model_field;
  auto created = [&](int check) { return FieldChecked(check, fields[static_cast<std::size_t>(check)]); };
  switch (layerField) {
    case kNumberLayer: return created(kNumber);
    case kAltitudeLayer: return created(kAltitude);
    case kDescriptionLayer: return created(kDescription);
    default: return true;
  }
}

}  // namespace topaline
