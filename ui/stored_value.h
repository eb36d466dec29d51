// What a settings section holds for a component: a check state, a whole
// number or a text. Each kind that keeps something in a section says
// which of these it keeps and what taking one back does to it
// (Component::StoredValueType, GetStoredValue, LoadStoredValue); how
// each is spelt in the section belongs to the settings layer.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace topaline::ui {

struct StoredValue {
  enum class Type {
    None,     // the component keeps nothing
    Truth,    // check boxes and radio buttons
    Integer,  // a panel's tag, a colour swatch's colour number
    Text,     // text and numeric fields, combo boxes
  };

  static StoredValue OfTruth(bool v) { return StoredValue{Type::Truth, v, 0, {}}; }
  static StoredValue OfInteger(std::int32_t v) { return StoredValue{Type::Integer, false, v, {}}; }
  static StoredValue OfText(std::wstring v) { return StoredValue{Type::Text, false, 0, std::move(v)}; }

  Type type = Type::None;
  bool truth = false;
  std::int32_t integer = 0;
  std::wstring text;
};

}  // namespace topaline::ui
