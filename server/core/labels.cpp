#include "server/core/labels.h"

#include "platform/error.h"
#include "server/core/number_format.h"
#include "server/core/session.h"
#include "server/core/text_decode.h"

namespace topaline {

namespace {

bool IsFieldBlank(wchar_t c) { return c >= 1 && static_cast<std::uint32_t>(c) <= 32; }

}  // namespace

std::vector<std::wstring> SplitLabelFields(std::wstring_view line) {
  std::vector<std::wstring> fields;
  const std::size_t n = line.size();
  std::size_t p = 0;
  while (p < n && IsFieldBlank(line[p])) ++p;
  while (p < n) {
    std::wstring field;
    if (line[p] == L'"') {
      // Quoted: to the next quote that is not doubled, or the line's end.
      ++p;
      while (p < n) {
        if (line[p] == L'"') {
          if (p + 1 < n && line[p + 1] == L'"') {
            field += L'"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        field += line[p++];
      }
    } else {
      const std::size_t start = p;
      while (p < n && line[p] != L',' && !IsFieldBlank(line[p])) ++p;
      field.assign(line.substr(start, p - start));
    }
    fields.push_back(std::move(field));
    while (p < n && IsFieldBlank(line[p])) ++p;
    if (p < n && line[p] == L',') {
      if (p + 1 == n) fields.emplace_back();  // a final comma: one more, empty field
      ++p;
      while (p < n && IsFieldBlank(line[p])) ++p;
    }
  }
  return fields;
}

void TDesLabels::InitFromText(std::wstring_view text, const std::wstring& path) {
  Items.clear();
  first_.clear();
  const auto lines = SplitLines(text);
  Items.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::wstring_view line = TrimBlanks(lines[i]);
    if (line.empty() || line[0] == L';') continue;
    auto fields = SplitLabelFields(line);
    const std::wstring where = L"The labels file \"" + path + L"\", line " + IntToText(std::int64_t(i) + 1);
    TUnLabel label;
    if (ParseInt32(TrimBlanks(fields[0]), label.Id) != ParseResult::Ok)
      throw Error(where + L": \"" + fields[0] + L"\" is not a label number.");
    if (fields.size() < 2)
      throw Error(where + L": label " + fields[0] + L" has no text.");
    label.Texte = std::move(fields[1]);
    if (fields.size() == 3) label.HintTexte = std::move(fields[2]);
    Items.push_back(std::move(label));
  }
  index();
}

void TDesLabels::Init(const std::wstring& path, Platform& platform) {
  ui_ = &platform.system;
  Items.clear();
  first_.clear();
  std::vector<std::uint8_t> bytes;
  try {
    bytes = platform.files.readFile(path);
  } catch (const Error& e) {
    throw Error(L"The labels file \"" + path + L"\" could not be read. " + e.message());
  }
  InitFromText(DecodeText(bytes, platform.files), path);
}

void TDesLabels::index() {
  first_.reserve(Items.size());
  for (std::size_t i = 0; i < Items.size(); ++i) first_.emplace(Items[i].Id, i);  // keeps the first
}

const TUnLabel* TDesLabels::Find(std::int32_t IdLab) const {
  auto it = first_.find(IdLab);
  return it == first_.end() ? nullptr : &Items[it->second];
}

const TUnLabel* TDesLabels::Get(std::int32_t IdLab) const {
  if (const TUnLabel* l = Find(IdLab)) return l;
  if (ui_)
    ui_->messageBox(L"label non trouvé " + IntToText(IdLab), L"Message Topaline", SystemUi::Buttons::Ok,
                    SystemUi::Icon::None);
  return nullptr;
}

std::wstring LabelText(const TDesLabels& labels, std::int32_t n) {
  if (const TUnLabel* l = labels.Get(n)) return l->Texte;
  return L"[" + IntToText(n) + L"]";
}

std::wstring LabelText(const Session& session, std::int32_t n) { return LabelText(session.Labels, n); }

std::wstring HelpParameter(const std::wstring& helpFile, const std::wstring& topic) {
  return helpFile + L"::/" + topic + L".htm";
}

void ShowHelp(Session& session, const std::wstring& topic) {
  Platform& p = session.platform;
  p.shell.execute(p.files.windowsDirectory() + L"\\hh.exe", HelpParameter(session.HelpFile, topic));
}

}  // namespace topaline
