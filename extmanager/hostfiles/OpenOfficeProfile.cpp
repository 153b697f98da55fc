#include "extmanager/hostfiles/OpenOfficeProfile.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#include "extmanager/hostfiles/FileJournal.h"
#include "extmanager/hostfiles/ProfileText.h"
#include "extmanager/hostfiles/TextFiles.h"
#include "extmanager/probes/FolderEntries.h"
#include "extmanager/probes/LongPath.h"

namespace {

constexpr char kBlockEnd[] = "   </node>";
constexpr char kSectionEnd[] = "  </node>";
constexpr char kAddonUi[] = " <node oor:name=\"AddonUI\">";
constexpr char kStatesAnchor[] = "  <node oor:name=\"States\">";
constexpr char kAccelAnchor[] = "<accel:acceleratorlist";
constexpr char kLibrariesAnchor[] = "<library:libraries xmlns:library=";
constexpr char kBlockStart[] = "   <node ";
const char* const kSections[] = {"  <node oor:name=\"OfficeToolBar\">", "  <node oor:name=\"Images\">",
                                 "  <node oor:name=\"OfficeMenuBar\">"};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring FolderOf(const std::wstring& path) {
  size_t cut = path.find_last_of(L'\\');
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

// Puts `lines` after line `after`, each ending as the file's lines end.
void InsertAfter(ProfileText& text, size_t after, const std::vector<ProfileLine>& lines) {
  std::string end = text.LineEnd();
  if (text.lines[after].end.empty()) text.lines[after].end = end;
  std::vector<ProfileLine> added;
  for (const ProfileLine& line : lines) added.push_back({line.text, end});
  text.lines.insert(text.lines.begin() + static_cast<std::ptrdiff_t>(after) + 1, added.begin(), added.end());
}

std::vector<ProfileLine> Slice(const ProfileText& text, size_t first, size_t last) {
  return std::vector<ProfileLine>(text.lines.begin() + static_cast<std::ptrdiff_t>(first),
                                  text.lines.begin() + static_cast<std::ptrdiff_t>(last) + 1);
}

bool ContainsAny(const std::string& line, const std::vector<std::string>& markers) {
  for (const std::string& marker : markers)
    if (line.find(marker) != std::string::npos) return true;
  return false;
}

// Drops each block from a line holding a marker through the next block end.
// False (text untouched) when a block has no end: what follows it is the
// user's, not ours.
bool RemoveBlocks(ProfileText& text, const std::vector<std::string>& markers, bool& removed) {
  std::vector<ProfileLine> kept;
  removed = false;
  for (size_t i = 0; i < text.lines.size(); ++i) {
    if (!ContainsAny(text.lines[i].text, markers)) {
      kept.push_back(text.lines[i]);
      continue;
    }
    size_t end = text.FindExact(kBlockEnd, i + 1);
    if (end == std::string::npos) return false;
    removed = true;
    i = end;
  }
  text.lines = std::move(kept);
  return true;
}

bool SameTexts(const ProfileText& a, const ProfileText& b) {
  auto nonEmpty = [](const ProfileText& t) {
    std::vector<std::string> texts;
    for (const ProfileLine& line : t.lines)
      if (!line.text.empty()) texts.push_back(line.text);
    return texts;
  };
  return nonEmpty(a) == nonEmpty(b);
}

// The three-blank node blocks of an Events layer: first and last line indexes.
std::vector<std::pair<size_t, size_t>> NodeBlocks(const ProfileText& text) {
  std::vector<std::pair<size_t, size_t>> blocks;
  for (size_t i = 0; i < text.lines.size(); ++i) {
    if (text.lines[i].text.rfind(kBlockStart, 0) != 0) continue;
    size_t end = text.FindExact(kBlockEnd, i + 1);
    if (end == std::string::npos) break;
    blocks.push_back({i, end});
    i = end;
  }
  return blocks;
}

std::vector<std::string> TextsOf(const ProfileText& text, std::pair<size_t, size_t> block) {
  std::vector<std::string> texts;
  for (size_t i = block.first; i <= block.second; ++i) texts.push_back(text.lines[i].text);
  return texts;
}

}  // namespace

COpenOfficeProfile::COpenOfficeProfile(std::wstring productFolder, std::wstring profileRoot, int mode,
                                       FileJournal* journal)
    : productFolder_(std::move(productFolder)), profileRoot_(std::move(profileRoot)), mode_(mode), journal_(journal) {}

bool COpenOfficeProfile::Write(const std::wstring& path, const std::string& bytes) {
  return (!journal_ || journal_->Keep(path)) && ReplaceFileContents(path, bytes);
}

bool COpenOfficeProfile::WriteText(const std::wstring& path, const ProfileText& text) {
  std::string bytes;
  return EncodeProfileText(text, bytes) && Write(path, bytes);
}

bool COpenOfficeProfile::Remove(const std::wstring& path) {
  return (!journal_ || journal_->Keep(path)) && DeleteFileW(LongPath(path).c_str()) != 0;
}

bool COpenOfficeProfile::MakeFolder(const std::wstring& folder) {
  if (journal_) journal_->KeepFolder(folder);
  return MakeFolderPath(folder);
}

std::wstring COpenOfficeProfile::Relative(const std::wstring& path) const {
  if (path.size() <= profileRoot_.size() ||
      CompareStringOrdinal(path.c_str(), static_cast<int>(profileRoot_.size()), profileRoot_.c_str(),
                           static_cast<int>(profileRoot_.size()), TRUE) != CSTR_EQUAL)
    return std::wstring();
  return path.substr(profileRoot_.size());
}

std::vector<std::string> COpenOfficeProfile::AddonsMarkers() const {
  std::string translate = IsVqd() ? "NORVAVQD" : "NORVA";
  std::string icons = IsVqd() ? "NORVAVQD" : "norva";
  std::vector<std::string> markers = {"   <node oor:name=\"" + translate + ".Translate\" oor:op=\"replace\">"};
  for (const char* name : {".Icon.About", ".Icon.EditTemplate", ".Icon.Help", ".Icon.SelectDir", ".Icon.Setup",
                           ".Icon.TranslateAll", ".Icon.TranslateSel", ".TopMenu"})
    markers.push_back("   <node oor:name=\"" + icons + name + "\" oor:op=\"replace\">");
  return markers;
}

std::string COpenOfficeProfile::WindowStateMarker() const {
  return std::string("   <node oor:name=\"private:resource/toolbar/addon_") + (IsVqd() ? "NORVAVQD" : "NORVA") +
         ".Translate\" oor:op=\"replace\">";
}

bool COpenOfficeProfile::RemoveBlocksFrom(const std::wstring& target, const std::wstring& templateName,
                                          const std::vector<std::string>& markers, bool dropEmptySections) {
  ProfileText pattern, text;
  if (!ReadProfileText(TemplatePath(templateName), pattern)) return false;
  if (!Exists(target)) return true;  // nothing of ours there
  if (!ReadProfileText(target, text)) return false;
  bool removed = false;
  if (!RemoveBlocks(text, markers, removed)) return false;
  // The rest stays, also when the template made the file (a profile's own
  // file may hold exactly the same frame), unless switching on noted that it
  // made the file, or a section, and nothing but the frame is left of it.
  if (additions_.HasFile(Relative(target))) {
    bool ours = false;
    if (RemoveBlocks(pattern, markers, ours) && SameTexts(text, pattern)) return Remove(target);
  }
  if (dropEmptySections) {
    for (const char* section : kSections) {
      if (std::find(additions_.sections.begin(), additions_.sections.end(), section) == additions_.sections.end())
        continue;
      size_t at = text.FindExact(section);
      size_t next = at == std::string::npos ? at : at + 1;
      while (next < text.lines.size() && text.lines[next].text.empty()) ++next;
      if (next >= text.lines.size() || text.lines[next].text != kSectionEnd) continue;
      text.lines.erase(text.lines.begin() + static_cast<std::ptrdiff_t>(at),
                       text.lines.begin() + static_cast<std::ptrdiff_t>(next) + 1);
      removed = true;
    }
  }
  return !removed || WriteText(target, text);
}

bool COpenOfficeProfile::EditAddons(bool enable, const std::wstring& regRel) {
  std::wstring target = profileRoot_ + regRel + L"\\Addons.xcu";
  if (!enable) return RemoveBlocksFrom(target, L"Addons.xcu", AddonsMarkers(), true);

  std::string pattern;
  ProfileText templ;
  if (!ReadWholeFile(TemplatePath(L"Addons.xcu"), pattern) || !ParseProfileText(pattern, templ)) return false;
  if (!Exists(target)) return MakeFolder(FolderOf(target)) && Write(target, pattern);
  ProfileText text;
  if (!ReadProfileText(target, text)) return false;
  if (text.Find(AddonsMarkers()[0]) != std::string::npos) return true;  // already there

  // Per target line, what goes after it; sections the target lacks go
  // whole after its AddonUI line, in the template's order.
  std::map<size_t, std::vector<ProfileLine>> inserts;
  std::vector<std::string> added;
  size_t addonUi = text.Find(kAddonUi);
  for (const char* section : kSections) {
    size_t first = templ.Find(section);
    if (first == std::string::npos) continue;  // the template adds nothing here
    size_t close = templ.FindExact(kSectionEnd, first + 1);
    if (close == std::string::npos) return false;
    size_t at = text.Find(section);
    std::vector<ProfileLine> lines;
    if (at != std::string::npos) {
      if (close > first + 1) lines = Slice(templ, first + 1, close - 1);
    } else {
      if (addonUi == std::string::npos) return false;
      at = addonUi;
      lines = Slice(templ, first, close);
      added.push_back(section);
    }
    auto& slot = inserts[at];
    slot.insert(slot.end(), lines.begin(), lines.end());
  }
  // From the last place up, so earlier indexes stay right.
  for (auto it = inserts.rbegin(); it != inserts.rend(); ++it)
    if (!it->second.empty()) InsertAfter(text, it->first, it->second);
  if (!WriteText(target, text)) return false;
  addedSections_.insert(addedSections_.end(), added.begin(), added.end());
  return true;
}

bool COpenOfficeProfile::EditWriterWindowState(bool enable, const std::wstring& uiRel) {
  std::wstring target = profileRoot_ + uiRel + L"\\WriterWindowState.xcu";
  std::string marker = WindowStateMarker();
  if (!enable) return RemoveBlocksFrom(target, L"WriterWindowState.xcu", {marker});

  std::string pattern;
  ProfileText templ;
  if (!ReadWholeFile(TemplatePath(L"WriterWindowState.xcu"), pattern) || !ParseProfileText(pattern, templ))
    return false;
  if (!Exists(target)) return MakeFolder(FolderOf(target)) && Write(target, pattern);
  ProfileText text;
  if (!ReadProfileText(target, text)) return false;
  if (text.Find(marker) != std::string::npos) return true;  // already there
  size_t first = templ.Find(marker);
  size_t last = first == std::string::npos ? first : templ.FindExact(kBlockEnd, first + 1);
  if (last == std::string::npos) return false;
  size_t anchor = text.Find(kStatesAnchor);
  if (anchor == std::string::npos) return true;  // no toolbar states to add to
  InsertAfter(text, anchor, Slice(templ, first, last));
  return WriteText(target, text);
}

bool COpenOfficeProfile::EditAccelerators(bool enable, const std::wstring& accelRel) {
  std::wstring folder = profileRoot_ + accelRel;
  ProfileText templ;
  if (enable && !ReadProfileText(TemplatePath(L"Accel.xml"), templ))
    throw std::runtime_error("accelerator template");
  std::vector<ProfileLine> bindings;
  for (const ProfileLine& line : templ.lines)
    if (!line.text.empty()) bindings.push_back(line);
  std::string filter = Narrow(LibraryName()) + ".Module1";

  for (const WIN32_FIND_DATAW& entry : FolderEntries(folder + L"*")) {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    std::wstring list = folder + entry.cFileName + L"\\current.xml";
    if (!Exists(list)) continue;
    ProfileText text;
    if (!ReadProfileText(list, text)) throw std::runtime_error("accelerator list");
    if (enable) {
      bool allThere = true;
      for (const ProfileLine& line : bindings) allThere = allThere && text.FindExact(line.text) != std::string::npos;
      size_t anchor = text.Find(kAccelAnchor);
      if (allThere || anchor == std::string::npos) continue;
      InsertAfter(text, anchor, bindings);
    } else {
      size_t before = text.lines.size();
      std::vector<ProfileLine> kept;
      for (const ProfileLine& line : text.lines)
        if (line.text.find(filter) == std::string::npos) kept.push_back(line);
      if (kept.size() == before) continue;
      text.lines = std::move(kept);
    }
    if (!WriteText(list, text)) return false;
  }
  return true;
}

bool COpenOfficeProfile::EditEvents(bool enable, const std::wstring& regRel) {
  std::wstring target = profileRoot_ + regRel + L"\\Events.xcu";
  std::string pattern;
  ProfileText templ;
  if (!ReadWholeFile(TemplatePath(L"Events.xcu"), pattern) || !ParseProfileText(pattern, templ)) return false;
  std::vector<std::pair<size_t, size_t>> ours = NodeBlocks(templ);
  if (ours.empty() || ours[0].first == 0) return false;
  if (!Exists(target)) return !enable || (MakeFolder(FolderOf(target)) && Write(target, pattern));
  ProfileText text;
  if (!ReadProfileText(target, text)) return false;

  if (enable) {
    // An event the user has bound already keeps the user's binding.
    std::vector<ProfileLine> missing;
    for (const auto& block : ours)
      if (text.FindExact(templ.lines[block.first].text) == std::string::npos) {
        std::vector<ProfileLine> lines = Slice(templ, block.first, block.second);
        missing.insert(missing.end(), lines.begin(), lines.end());
      }
    size_t parent = text.Find(templ.lines[ours[0].first - 1].text);
    if (missing.empty() || parent == std::string::npos) return true;
    InsertAfter(text, parent, missing);
    return WriteText(target, text);
  }

  // Only blocks that are the template's own, line for line, are the product's.
  std::vector<std::vector<std::string>> ourTexts;
  for (const auto& block : ours) ourTexts.push_back(TextsOf(templ, block));
  std::vector<ProfileLine> kept;
  size_t next = 0;
  bool removed = false;
  for (const auto& block : NodeBlocks(text)) {
    bool product = false;
    for (const auto& texts : ourTexts) product = product || texts == TextsOf(text, block);
    if (!product) continue;
    for (; next < block.first; ++next) kept.push_back(text.lines[next]);
    next = block.second + 1;
    removed = true;
  }
  if (!removed) return true;
  for (; next < text.lines.size(); ++next) kept.push_back(text.lines[next]);
  text.lines = std::move(kept);
  ProfileText skeleton = templ;
  std::vector<ProfileLine> rest;
  size_t from = 0;
  for (const auto& block : ours) {
    for (; from < block.first; ++from) rest.push_back(skeleton.lines[from]);
    from = block.second + 1;
  }
  for (; from < skeleton.lines.size(); ++from) rest.push_back(skeleton.lines[from]);
  skeleton.lines = std::move(rest);
  // An events file that holds no more than what its template leaves without
  // the product's bindings binds nothing: it goes, as it was most likely made
  // from the template, and a missing file binds nothing either.
  if (SameTexts(text, skeleton)) return Remove(target);
  return WriteText(target, text);
}

bool COpenOfficeProfile::EditLibraryList(bool enable, const std::wstring& scripts) {
  std::wstring list = scripts + L"\\script.xlc";
  if (!Exists(list)) return true;
  ProfileText text;
  if (!ReadProfileText(list, text)) return false;
  std::string entry = " <library:library library:name=\"" + Narrow(LibraryName()) + "\"";
  if (enable) {
    if (text.Find(entry) != std::string::npos) return true;  // registered already
    ProfileText templ;
    if (!ReadProfileText(TemplatePath(L"script.xlc"), templ)) return false;
    std::vector<ProfileLine> lines;
    for (const ProfileLine& line : templ.lines)
      if (!line.text.empty()) lines.push_back(line);
    size_t anchor = text.Find(kLibrariesAnchor);
    if (anchor == std::string::npos) return false;
    InsertAfter(text, anchor, lines);
    // The list as it was stays beside it.
    if (journal_ && !journal_->Keep(list + L".old")) return false;
    if (!CopyFileW(LongPath(list).c_str(), LongPath(list + L".old").c_str(), FALSE)) return false;
    return WriteText(list, text);
  }
  std::vector<ProfileLine> kept;
  for (const ProfileLine& line : text.lines)
    if (line.text.find(entry) == std::string::npos) kept.push_back(line);
  if (kept.size() == text.lines.size()) return true;
  text.lines = std::move(kept);
  return WriteText(list, text);
}
