#include "entry/tests/fakes.h"

#include <cstdio>

#include "platform/error.h"

namespace topaline::test {

namespace {

constexpr std::int16_t kNone = -1;

std::int16_t Key(std::uint8_t vk, bool shift) { return static_cast<std::int16_t>((shift ? 0x100 : 0) | vk); }

std::int16_t UsKey(wchar_t c) {
  if (c >= L'0' && c <= L'9') return Key(static_cast<std::uint8_t>(c), false);
  if (c >= L'a' && c <= L'z') return Key(static_cast<std::uint8_t>(c - L'a' + 'A'), false);
  if (c >= L'A' && c <= L'Z') return Key(static_cast<std::uint8_t>(c), true);
  switch (c) {
    case L' ': return Key(0x20, false);
    case L'(': return Key('9', true);
    case L')': return Key('0', true);
    case L'"': return Key(0xDE, true);
    case L'\'': return Key(0xDE, false);
    case L':': return Key(0xBA, true);
    case L';': return Key(0xBA, false);
    case L',': return Key(0xBC, false);
    case L'-': return Key(0xBD, false);
    default: return kNone;
  }
}

std::int16_t ShiftedDigitsKey(wchar_t c) {
  static const std::wstring unshifted = L"à&é\"'(-è_ç";  // keys 0 to 9
  if (c >= L'0' && c <= L'9') return Key(static_cast<std::uint8_t>(c), true);
  const auto at = unshifted.find(c);
  if (at != std::wstring::npos) return Key(static_cast<std::uint8_t>('0' + at), false);
  if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L' ') return UsKey(c);
  switch (c) {
    case L')': return Key(0xDB, false);
    case L':': return Key(0xBF, false);
    case L',': return Key(0xBC, false);
    default: return kNone;
  }
}

// The character a key gives on a layout, found by asking the layout for
// every Latin-1 character.
wchar_t Decode(const FakeLayout& layout, std::uint8_t vk, bool shift, bool caps) {
  for (wchar_t c = 0x20; c <= 0xFF; ++c) {
    const auto answer = static_cast<std::uint16_t>(layout(c));
    if (answer == 0xFFFF) continue;
    if ((answer & 0xFF) != vk || ((answer >> 8) & 1) != (shift ? 1 : 0)) continue;
    const bool letter = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
    if (caps && letter) return c >= L'a' ? static_cast<wchar_t>(c - 32) : static_cast<wchar_t>(c + 32);
    return c;
  }
  return L'?';
}

std::string Hex(std::uint8_t vk) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X", vk);
  return buf;
}

}  // namespace

FakeLayout UsLayout() { return UsKey; }
FakeLayout ShiftedDigitsLayout() { return ShiftedDigitsKey; }

FakeDesktop::FakeDesktop() = default;

void FakeDesktop::record(const std::string& e) {
  events.push_back(e);
  if (onEvent) onEvent(*this);
}

void FakeDesktop::bringToFront(WindowHandle w) {
  record("front " + std::to_string(w));
  front = w;
}

void FakeDesktop::keyDown(std::uint8_t vk) {
  record("down " + Hex(vk));
  if (vk == kVkShift) {
    shiftDown_ = true;
  } else if (vk == kVkCapital) {
    capsLockBefore_ = capsLock;
    capsLock = !capsLock;
  } else {
    const wchar_t c = Decode(layout, vk, shiftDown_, capsLock);
    (front == kTarget ? typedIntoTarget : typedElsewhere) += c;
  }
}

bool FakeDesktop::capsLockOn() {
  if (capsLockReportedLate > 0) {
    --capsLockReportedLate;
    return capsLockBefore_;
  }
  return capsLock;
}

void FakeDesktop::keyUp(std::uint8_t vk) {
  record("up " + Hex(vk));
  if (vk == kVkShift) shiftDown_ = false;
}

void FakeDesktop::sleep(unsigned ms) {
  record("wait " + std::to_string(ms));
  slept += ms;
}

void FakeDesktop::beep() {
  record("beep");
  ++beeps;
}

int FakeDesktop::keyPresses() const {
  int n = 0;
  for (const auto& e : events)
    if (e.rfind("down ", 0) == 0 && e != "down 10") ++n;
  return n;
}

std::vector<std::wstring> FakeKey::valueNames() const {
  std::vector<std::wstring> names;
  for (const auto& [name, value] : values) names.push_back(name);
  return names;
}

RegType FakeKey::valueType(const std::wstring& name) const {
  const auto it = values.find(name);
  if (it == values.end()) return RegType::Missing;
  switch (it->second.index()) {
    case 0: return RegType::String;
    case 1: return RegType::Dword;
    default: return RegType::Binary;
  }
}

std::wstring FakeKey::readString(const std::wstring& name) const {
  const auto it = values.find(name);
  if (it == values.end() || it->second.index() != 0) throw Error(L"no string " + name);
  return std::get<0>(it->second);
}

std::uint32_t FakeKey::readDword(const std::wstring& name) const {
  const auto it = values.find(name);
  if (it == values.end() || it->second.index() != 1) throw Error(L"no integer " + name);
  return std::get<1>(it->second);
}

std::vector<std::uint8_t> FakeKey::readBinary(const std::wstring& name) const {
  const auto it = values.find(name);
  if (it == values.end() || it->second.index() != 2) throw Error(L"no binary " + name);
  return std::get<2>(it->second);
}

void FakeKey::writeString(const std::wstring& name, const std::wstring& value) {
  values[name] = value;
  ++writes;
}
void FakeKey::writeDword(const std::wstring& name, std::uint32_t value) {
  values[name] = value;
  ++writes;
}
void FakeKey::writeBinary(const std::wstring& name, const std::vector<std::uint8_t>& value) {
  values[name] = value;
  ++writes;
}
void FakeKey::deleteValue(const std::wstring& name) { values.erase(name); }

}  // namespace topaline::test
