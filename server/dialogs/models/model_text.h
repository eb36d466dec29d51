// The text of a point model: seventeen fields in a fixed order, each
// followed by one "|", shared with the host script that applies the model.
// Field n is the value of the editor's control "c" + (n + 1), c2 to c18.
// There is no escape: a field never holds a "|".
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace topaline {

constexpr int kModelFields = 17;
using ModelFields = std::array<std::wstring, kModelFields>;

// How a field is written and read back.
enum class ModelFieldKind {
  Check,   // "1" checked, "0" not; read as an integer, non-zero checks
  Text,    // as typed
  Number,  // a numeric field's text as shown
  List,    // the selected item's text
  Colour,  // a colour number 0 to 256 in decimal
};

// Indexes of the fields (0 to 16) that the checks name.
namespace model_field {
constexpr int kTwoD = 0, kPointLayer = 1, kNumber = 2, kNumberLayer = 3, kAltitude = 5, kAltitudeLayer = 6,
              kDecimals = 8, kDescription = 9, kDescriptionLayer = 10;
}

ModelFieldKind FieldKind(int field);
// The editor's default value of the field.
const wchar_t* DefaultFieldText(int field);
// "1|points|1|numeros|0.000|1|altitude|0.000|2|0||0.000|0.000|1|1|1|1|".
std::wstring DefaultModelText();

// Each field is the text before the next "|"; once no "|" is left, every
// remaining field is empty (the text after the last "|" is dropped).
ModelFields SplitModelText(std::wstring_view text);
// Every field followed by "|"; a "|" inside a field is dropped, so the
// text always has seventeen fields.
std::wstring JoinModelText(const ModelFields& fields);

// A check or radio field read back: checked when the integer is not 0. A
// text that is no integer (empty, a word, a missing field) reads as the
// field's default.
bool FieldChecked(int field, std::wstring_view text);
// A colour field read back: the number when the text is an integer from
// 0 to 256, otherwise the field's default.
int FieldColour(int field, std::wstring_view text);

// The text without any "|" (what a model field may hold).
std::wstring WithoutBars(std::wstring_view text);

// Whether the layer field at index must name a layer: the point's layer
// always, an attribute's layer only when the model creates it (fields
// give the check states as written).
bool LayerRequired(const ModelFields& fields, int layerField);

}  // namespace topaline
