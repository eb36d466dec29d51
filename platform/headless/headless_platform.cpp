#include "platform/headless/headless_platform.h"

#include <algorithm>

#include "platform/name_fold.h"

namespace topaline {

namespace {

// Registry and file names compare without regard to case, as the
// registry folds them.
std::wstring Fold(std::wstring_view s) { return FoldName(s); }

std::wstring NormalisePath(std::wstring_view path) {
  std::wstring s = Fold(path);
  std::replace(s.begin(), s.end(), L'/', L'\\');
  return s;
}

std::wstring KeyPath(std::wstring_view path) {
  std::wstring s(path);
  while (!s.empty() && s.front() == L'\\') s.erase(s.begin());
  while (!s.empty() && s.back() == L'\\') s.pop_back();
  return s;
}

const wchar_t* TypeName(RegType t) {
  switch (t) {
    case RegType::String: return L"a string";
    case RegType::Dword: return L"a 32-bit integer";
    case RegType::Binary: return L"a binary value";
    default: return L"a value of another type";
  }
}

class Key final : public RegistryKey {
public:
  Key(std::shared_ptr<HeadlessRegistry::KeyData> d, HeadlessFault& writes) : d_(std::move(d)), writes_(writes) {}

  std::vector<std::wstring> valueNames() const override {
    std::vector<std::wstring> names;
    for (const auto& v : d_->values) names.push_back(v.name);
    return names;
  }
  RegType valueType(const std::wstring& name) const override {
    const auto* v = find(name);
    return v ? v->type : RegType::Missing;
  }
  std::wstring readString(const std::wstring& name) const override { return typed(name, RegType::String).text; }
  std::uint32_t readDword(const std::wstring& name) const override { return typed(name, RegType::Dword).dword; }
  std::vector<std::uint8_t> readBinary(const std::wstring& name) const override {
    return typed(name, RegType::Binary).bytes;
  }
  void writeString(const std::wstring& name, const std::wstring& value) override {
    checkWrite(name);
    auto& v = slot(name);
    v = {v.name, RegType::String, value, 0, {}};
  }
  void writeDword(const std::wstring& name, std::uint32_t value) override {
    checkWrite(name);
    auto& v = slot(name);
    v = {v.name, RegType::Dword, {}, value, {}};
  }
  void writeBinary(const std::wstring& name, const std::vector<std::uint8_t>& value) override {
    checkWrite(name);
    auto& v = slot(name);
    v = {v.name, RegType::Binary, {}, 0, value};
  }
  void deleteValue(const std::wstring& name) override {
    checkWrite(name);
    const std::wstring f = Fold(name);
    auto& vs = d_->values;
    vs.erase(std::remove_if(vs.begin(), vs.end(), [&](const auto& v) { return Fold(v.name) == f; }), vs.end());
  }

  HeadlessRegistry::Value& slot(const std::wstring& name) {
    if (auto* v = find(name)) return *v;
    d_->values.push_back({name, RegType::String, {}, 0, {}});
    return d_->values.back();
  }

private:
  void checkWrite(const std::wstring& name) {
    writes_.Check(L"The value \"" + name + L"\" of HKEY_CURRENT_USER\\" + d_->path + L" cannot be written.");
  }
  HeadlessRegistry::Value* find(const std::wstring& name) const {
    const std::wstring f = Fold(name);
    for (auto& v : d_->values)
      if (Fold(v.name) == f) return &v;
    return nullptr;
  }
  const HeadlessRegistry::Value& typed(const std::wstring& name, RegType t) const {
    const auto* v = find(name);
    if (!v) throw Error(L"The value \"" + name + L"\" of HKEY_CURRENT_USER\\" + d_->path + L" does not exist.");
    if (v->type != t)
      throw Error(L"The value \"" + name + L"\" of HKEY_CURRENT_USER\\" + d_->path + L" is not " + TypeName(t) + L".");
    return *v;
  }
  std::shared_ptr<HeadlessRegistry::KeyData> d_;
  HeadlessFault& writes_;
};

}  // namespace

// ----------------------------------------------------------------- registry

std::shared_ptr<HeadlessRegistry::KeyData> HeadlessRegistry::key(const std::wstring& rawPath, bool create) {
  const std::wstring path = KeyPath(rawPath);
  auto it = keys_.find(Fold(path));
  if (it != keys_.end()) return it->second;
  if (!create) return nullptr;
  // Parents first, as the registry creates them.
  std::size_t pos = 0;
  std::shared_ptr<KeyData> last;
  while (true) {
    pos = path.find(L'\\', pos);
    const std::wstring part = path.substr(0, pos);
    auto& slot = keys_[Fold(part)];
    if (!slot) {
      slot = std::make_shared<KeyData>();
      slot->path = part;
      order_.push_back(part);
    }
    last = slot;
    if (pos == std::wstring::npos) break;
    ++pos;
  }
  return last;
}

std::unique_ptr<RegistryKey> HeadlessRegistry::open(const std::wstring& path, bool create) {
  auto d = key(path, create);
  if (!d) return nullptr;
  return std::make_unique<Key>(std::move(d), writes);
}

bool HeadlessRegistry::keyExists(const std::wstring& path) const {
  return keys_.count(Fold(KeyPath(path))) != 0;
}

void HeadlessRegistry::setString(const std::wstring& path, const std::wstring& name, const std::wstring& value) {
  HeadlessFault never;  // set-up always succeeds
  Key(key(path, true), never).writeString(name, value);
}

void HeadlessRegistry::setDword(const std::wstring& path, const std::wstring& name, std::uint32_t value) {
  HeadlessFault never;
  Key(key(path, true), never).writeDword(name, value);
}

void HeadlessRegistry::setBinary(const std::wstring& path, const std::wstring& name, std::vector<std::uint8_t> value) {
  HeadlessFault never;
  Key(key(path, true), never).writeBinary(name, value);
}

void HeadlessRegistry::setOther(const std::wstring& path, const std::wstring& name) {
  HeadlessFault never;
  Key k(key(path, true), never);
  auto& v = k.slot(name);
  v = {v.name, RegType::Other, {}, 0, {}};
}

const HeadlessRegistry::Value* HeadlessRegistry::value(const std::wstring& path, const std::wstring& name) const {
  auto it = keys_.find(Fold(KeyPath(path)));
  if (it == keys_.end()) return nullptr;
  const std::wstring f = Fold(name);
  for (const auto& v : it->second->values)
    if (Fold(v.name) == f) return &v;
  return nullptr;
}

std::vector<std::wstring> HeadlessRegistry::keyPaths() const { return order_; }

// -------------------------------------------------------------- shell, UI

void HeadlessShell::execute(const std::wstring& program, const std::wstring& parameters) {
  starts.Check(L"Could not start " + program + L":");
  launches.push_back({program, parameters});
}

void HeadlessClipboard::setText(WindowHandle owner, const std::wstring& text) {
  writes.Check(L"Could not copy to the clipboard:");
  lastOwner = owner;
  content = text;
}

SystemUi::Answer HeadlessSystemUi::showMessageBox(WindowHandle owner, const std::wstring& text,
                                                  const std::wstring& caption, Buttons buttons, Icon icon) {
  Box box{owner, text, caption, buttons, icon, Answer::Ok};
  if (!answers.empty()) {
    box.answer = answers.front();
    answers.pop_front();
  } else if (onBox) {
    box.answer = onBox(box);
  } else {
    box.answer = buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
  boxes.push_back(box);
  return box.answer;
}

void HeadlessSystemUi::beep(unsigned frequencyHz, unsigned durationMs) { beeps.push_back({frequencyHz, durationMs}); }

FileDialogResult HeadlessSystemUi::showFileDialog(WindowHandle owner, bool save, const FileDialogRequest& request) {
  FileDialogCall call{save, owner, request, {}};
  if (!fileAnswers.empty()) {
    call.answer = fileAnswers.front();
    fileAnswers.pop_front();
  } else if (onFileDialog) {
    call.answer = onFileDialog(call);
  }
  fileDialogs.push_back(call);
  return call.answer;
}

// -------------------------------------------------------------------- files

namespace {
std::wstring FolderKey(const std::wstring& path) {
  std::wstring s = NormalisePath(path);
  while (s.size() > 1 && s.back() == L'\\') s.pop_back();
  return s;
}
}  // namespace

bool HeadlessFileSystem::folderExists(const std::wstring& path) {
  const std::wstring key = FolderKey(path);
  if (key.empty()) return false;
  for (const auto& f : folders_)
    if (f == key) return true;
  const std::wstring prefix = key + L"\\";
  for (const auto& file : files_)
    if (file.first.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

void HeadlessFileSystem::addFolder(const std::wstring& path) { folders_.push_back(FolderKey(path)); }

bool HeadlessFileSystem::fileExists(const std::wstring& path) { return files_.count(NormalisePath(path)) != 0; }

std::vector<std::uint8_t> HeadlessFileSystem::readFile(const std::wstring& path) {
  auto it = files_.find(NormalisePath(path));
  if (it == files_.end()) throw Error(L"The file \"" + path + L"\" does not exist.");
  if (!it->second.readable) throw Error(L"The file \"" + path + L"\" cannot be read.");
  return it->second.bytes;
}

std::wstring HeadlessFileSystem::decodeAnsi(const std::uint8_t* data, std::size_t size) {
  // Windows-1252; the five unassigned bytes map to the control codes of
  // the same value, as the system's conversion does.
  static const char16_t high[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::wstring out;
  out.reserve(size);
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t b = data[i];
    out += (b >= 0x80 && b < 0xA0) ? wchar_t(high[b - 0x80]) : wchar_t(b);
  }
  return out;
}

void HeadlessFileSystem::addFile(const std::wstring& path, std::vector<std::uint8_t> bytes) {
  files_[NormalisePath(path)] = {std::move(bytes), true};
}

void HeadlessFileSystem::addFile(const std::wstring& path, const std::string& bytes) {
  addFile(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

void HeadlessFileSystem::removeFile(const std::wstring& path) { files_.erase(NormalisePath(path)); }

void HeadlessFileSystem::addUnreadableFile(const std::wstring& path) { files_[NormalisePath(path)] = {{}, false}; }

}  // namespace topaline
