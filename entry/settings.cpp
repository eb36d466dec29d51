#include "entry/settings.h"

#include <algorithm>
#include <cstdint>

#include "platform/error.h"

namespace topaline {

namespace {

std::optional<std::uint32_t> TryDword(const RegistryKey& key, const wchar_t* name) {
  try {
    if (key.valueType(name) != RegType::Dword) return std::nullopt;
    return key.readDword(name);
  } catch (const Error&) {
    return std::nullopt;
  }
}

std::wstring TryString(const RegistryKey& key, const wchar_t* name) {
  try {
    if (key.valueType(name) != RegType::String) return {};
    return key.readString(name);
  } catch (const Error&) {
    return {};
  }
}

}  // namespace

unsigned ReadTempo(const RegistryKey& key) {
  const auto tempo = TryDword(key, L"tempo");
  if (!tempo) return kDefaultTempo;
  return static_cast<unsigned>(std::min<std::uint32_t>(*tempo, kMaxTempo));
}

EntrySettings LoadEntrySettings(const RegistryKey& key) {
  EntrySettings s;
  const auto x = TryDword(key, L"xpos");
  const auto y = TryDword(key, L"ypos");
  if (x && y) {
    s.xpos = static_cast<std::int32_t>(*x);
    s.ypos = static_cast<std::int32_t>(*y);
  }
  s.tempo = ReadTempo(key);
  s.increment = TryString(key, L"increment");
  s.langue = TryString(key, L"langue");
  return s;
}

void SaveEntryPosition(RegistryKey& key, int left, int top) {
  key.writeDword(L"xpos", static_cast<std::uint32_t>(left));
  key.writeDword(L"ypos", static_cast<std::uint32_t>(top));
}

EntryTexts TextsFor(const std::wstring& langue) {
  EntryTexts t;
  t.title = L"Topaline3";
  if (langue == L"en") {
    t.incrementHint = L"Increment value";
    t.delayHint = L"Adjust temporization";
    t.delayCaption = L"Adjust temporization";
    t.closeButton = L"Close";
    t.missingTarget =
        L"The point-number entry window must be started with the handle of the CAD window "
        L"(a decimal integer) as its first argument. The program ends.";
    t.notAWindow = L"The handle %1 does not designate an open window. The program ends.";
  } else {
    t.incrementHint = L"Valeur d'incrément";
    t.delayHint = L"";
    t.delayCaption = L" Réglage de la temporisation";
    t.closeButton = L"Fermer";
    t.missingTarget =
        L"La fenêtre de saisie des numéros de points doit être lancée avec le handle de la "
        L"fenêtre de DAO (un nombre entier décimal) comme premier argument. Le programme "
        L"s'arrête.";
    t.notAWindow = L"Le handle %1 ne désigne aucune fenêtre ouverte. Le programme s'arrête.";
  }
  if (langue == L"en") {
    t.numberName = L"Point number";
    t.incrementName = L"Increment";
    t.validateName = L"Type the number";
    t.delayName = L"Typing delay";
  } else if (langue == L"es") {
    t.numberName = L"Número del punto";
    t.incrementName = L"Incremento";
    t.validateName = L"Escribir el número";
    t.delayName = L"Retardo de escritura";
  } else {
    t.numberName = L"Numéro du point";
    t.incrementName = L"Incrément";
    t.validateName = L"Taper le numéro";
    t.delayName = L"Temporisation";
  }
  return t;
}

std::wstring NotAWindowMessage(const EntryTexts& texts, const std::wstring& argument) {
  std::wstring message = texts.notAWindow;
  const auto at = message.find(L"%1");
  if (at != std::wstring::npos) message.replace(at, 2, argument);
  return message;
}

}  // namespace topaline
