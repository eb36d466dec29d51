// Interface labels ("language.lng") and the help launcher.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"

namespace topaline {

struct Session;

struct TUnLabel {
  std::int32_t Id = 0;
  std::wstring Texte;
  std::wstring HintTexte;
};

// The fields of one (already trimmed) line of the labels file: blanks
// (codes 1 to 32) before a field skipped; a field beginning with a double
// quote runs to the next undoubled quote (or the end of the line), ""
// inside standing for one quote; any other field ends at a comma or a
// blank; after a field blanks are skipped, then one comma and the blanks
// after it; a comma ending the line adds an empty field.
std::vector<std::wstring> SplitLabelFields(std::wstring_view line);

class TDesLabels {
public:
  std::vector<TUnLabel> Items;

  // Replaces the labels with those of the file at path, read through
  // platform.files. Get reports missing labels with platform.system, in a
  // box modal over the dialog that asked (SystemUi::Owner). Raises Error naming the file (and the line) when
  // the file cannot be read, a line's first field is not an integer, or a
  // line has a single field.
  void Init(const std::wstring& path, Platform& platform);
  // The same from decoded text; path only names the file in messages.
  void InitFromText(std::wstring_view text, const std::wstring& path);

  // The first label with that number. None: shows "label non trouvé "
  // and the number in a plain box with one OK button (when the set was
  // loaded with Init) and returns nullptr.
  const TUnLabel* Get(std::int32_t IdLab) const;
  // The first label with that number, silently.
  const TUnLabel* Find(std::int32_t IdLab) const;

private:
  void index();
  std::unordered_map<std::int32_t, std::size_t> first_;  // Id -> first index
  SystemUi* ui_ = nullptr;
};

// The label's Texte. A missing label is reported by Get and then reads as
// its number in brackets, "[740]", so the place it belongs stays visible.
std::wstring LabelText(const TDesLabels& labels, std::int32_t n);
std::wstring LabelText(const Session& session, std::int32_t n);

// The parameter given to the help viewer for a topic: HelpFile, "::/",
// topic, ".htm", unquoted. The viewer takes its whole command tail as the
// file when it does not begin with a quote, so a path with blanks
// ("C:\Program Files\...") opens as is, topic included.
std::wstring HelpParameter(const std::wstring& helpFile, const std::wstring& topic);

// Opens the help topic: starts hh.exe by its full path in the Windows
// folder (never by bare name, which a writable current folder could
// shadow) with HelpParameter. Neither waits nor checks.
void ShowHelp(Session& session, const std::wstring& topic);

}  // namespace topaline
