// The point models as the registry may hold them: values of any type and
// texts of any shape under the model store, from a hand-edited key or an
// older build. The store reads them, each text splits into its seventeen
// fields and joins back to the same fields, a colour field never reads
// outside 0 to 256, and the model editor shows every model and gives back
// a text that shows the same again. Cancelling the editor leaves the store
// as it was.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_host.h"
#include "fuzz/fuzz_input.h"
#include "platform/error.h"
#include "server/core/session.h"
#include "server/dialogs/models/model_store.h"
#include "server/dialogs/models/model_text.h"
#include "server/dialogs/models/point_dialog.h"

using namespace topaline;
using topaline::fuzz::TakeRegistryValue;
using topaline::fuzz::TakeText;

namespace {

std::vector<std::uint8_t> g_labels;

void CheckText(const std::wstring& text) {
  const ModelFields fields = SplitModelText(text);
  if (SplitModelText(JoinModelText(fields)) != fields) std::abort();
  for (int i = 0; i < kModelFields; ++i) {
    if (fields[i].find(L'|') != std::wstring::npos) std::abort();
    if (FieldKind(i) == ModelFieldKind::Colour) {
      const int colour = FieldColour(i, fields[i]);
      if (colour < 0 || colour > 256) std::abort();
    }
    FieldChecked(i, fields[i]);
  }
  for (int layer : {model_field::kPointLayer, model_field::kNumberLayer, model_field::kAltitudeLayer,
                    model_field::kDescriptionLayer})
    LayerRequired(fields, layer);
}

bool SameStore(const TDesModeles& a, const TDesModeles& b) { return a.Names == b.Names && a.Texts == b.Texts; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_labels = fuzz::SourceFileBytes(TOPALINE_SOURCE_DIR "/lang/fr/language.lng");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);

  fuzz::FormsHost env;
  auto& [host, exchange, user] = env;
  host.files.addFile(L"C:\\Prog\\language.lng", g_labels);
  std::vector<std::wstring> names;
  for (int n = in.ConsumeIntegralInRange<int>(0, 4); n > 0; --n) {
    names.push_back(TakeText(in, 12));
    TakeRegistryValue(in, host.registry, ModelStorePath(), names.back());
  }

  TDesModeles before;
  before.Load(host.registry);
  if (before.Names.size() != before.Texts.size()) std::abort();
  for (const std::wstring& text : before.Texts) CheckText(text);
  CheckText(TakeText(in, 200));

  Session session(host.platform, exchange);
  session.config = TProgConfig{L"C:\\Prog", L"topaline3", L"fr"};
  session.HelpFile = L"C:\\Prog\\topaline3.chm";
  try {
    session.Labels.Init(L"C:\\Prog\\language.lng", host.platform);
  } catch (const Error&) {
    return 0;
  }

  PointModelForms forms(session, ModelPickers{[] { return std::wstring(L"calque"); },
                                              [](int) { return TResultatCouleur{-1, 0, 0, 0}; }});
  forms.models.current = names.empty() || in.ConsumeBool() ? TakeText(in, 12) : names[0];
  user.Always(L"frmEditModel", [&in](ui::Form& form) {
    auto& f = static_cast<TfrmEditModel&>(form);
    for (int k = in.ConsumeIntegralInRange<int>(0, 4); k > 0; --k) {
      const int count = static_cast<int>(f.c1->Items().size());
      if (count > 0) f.c1->UserPick(in.ConsumeIntegralInRange<int>(0, count - 1));
      const std::wstring shown = f.ModelText();
      CheckText(shown);
      f.ApplyModelText(shown);
      if (f.ModelText() != shown) std::abort();
    }
    f.Get<ui::Button>(L"btAnnule").UserClick();
  });
  try {
    forms.frmEditModel.Open();
  } catch (const Error&) {
  }

  TDesModeles after;
  after.Load(host.registry);
  if (!SameStore(before, after)) std::abort();
  return 0;
}
