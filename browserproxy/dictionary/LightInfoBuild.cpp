// CEdLightInfo::Build: the start of a build, the two passes over every
// translation record (modifier records, then groups and senses), the order
// of the groups and their items.
#include <algorithm>
#include <optional>
#include <cwctype>

#include "browserproxy/dictionary/CDictMarkers.h"
#include "browserproxy/dictionary/CanonicalForm.h"
#include "browserproxy/dictionary/CEdLightInfo.h"
#include "browserproxy/dictionary/CGrammarString.h"
#include "browserproxy/dictionary/ConditionLanguage.h"
#include "browserproxy/dictionary/PartOfSpeech.h"
#include "platform/win/ResourceInstance.h"
#include "shared/PathParts.h"

namespace {

constexpr UINT kUserDictionaryString = 157;
constexpr UINT kSpecializedDictionaryString = 224;
constexpr size_t kLayoutSkipPosition = 40;  // code-string character that hides a record in dictionary layout
constexpr size_t kVerbOrderPosition = 38;   // code-string character that orders verb senses
constexpr wchar_t kModifierLimit = 37;      // modifier characters beyond this are marks, not modifiers

std::wstring WithoutCharacters(std::wstring text, const wchar_t* characters) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [&](wchar_t c) { return std::wcschr(characters, c) != nullptr && c != 0; }),
             text.end());
  return text;
}

std::wstring SectionOf(int16_t partOfSpeech) {
  std::wstring name = PartOfSpeechName(partOfSpeech);
  for (auto& c : name) c = static_cast<wchar_t>(std::towupper(c));
  return name;
}

// The modifier characters of a mark string: each at most once, in order.
std::wstring ModifierSet(const std::wstring& marks) {
  std::wstring set;
  for (wchar_t c : marks) {
    if (c <= kModifierLimit && set.find(c) == std::wstring::npos) set.push_back(c);
  }
  return set;
}

bool SameGroup(const EntryGroup& a, const EntryGroup& b) {
  return a.title == b.title && a.caption == b.caption && a.rowValue == b.rowValue && a.comment == b.comment &&
         a.extra == b.extra;
}

bool SameSense(const EntrySense& a, const EntrySense& b, int merge) {
  return a.text == b.text && a.weight == b.weight && (!merge || a.dictionaryName == b.dictionaryName) &&
         a.comment == b.comment && a.label == b.label && a.priority == b.priority && a.marks == b.marks &&
         a.inputMarks == b.inputMarks;
}

}  // namespace

void CEdLightInfo::Build(std::vector<CEntryDsc>* entries, const std::wstring& caption) {
  entries_ = entries;
  ReleaseItems();
  groups_.clear();
  SetColorScheme(0);
  if (headwordCaption_) AddItem(caption, 0, 0, 0, 0, 0, -1, 0);
  caption_ = caption;

  LayoutTable* transOut = OpenTransOut();
  CollectModifiers(transOut);
  std::vector<DictionaryRun> markerList;
  BuildGroups(&markerList);
  OrderGroups();
  if (markersOn_) AddMarkersRow(markerList);
  for (size_t gi = 0; gi < groups_.size(); ++gi) EmitGroup(static_cast<int>(gi));
}

LayoutTable* CEdLightInfo::OpenTransOut() {
  CEntryDsc* first = Entry(0);
  LayoutTableSource* source = TableSource();
  if (!first || !source) return nullptr;
  CPathParts path(mdsFolder_ + first->GetLanguageLetter(true) + first->GetLanguageLetter(false) +
                  L"TransOut.mds");
  // Without a layout folder of its own the tables lie in the program's
  // folder + "mds\", like every other table of the entry model.
  if (mdsFolder_.empty()) {
    path.FromModule(nullptr);
    path.AddSubFolder(L"mds");
  }
  return source->GetTable(path.FullPath());
}

bool CEdLightInfo::PassesFilter(const CEntryRecord& record) const {
  if (grammarLines_ && record.inGroup != 0) return false;
  if (dictionaryLayout_ && record.codeString.size() > kLayoutSkipPosition &&
      record.codeString[kLayoutSkipPosition] == 1)
    return false;
  return true;
}

// Pass 1: one modifier record per translation, merged into its entry.
void CEdLightInfo::CollectModifiers(LayoutTable* transOut) {
  for (int i = 0; Entry(i); ++i) {
    CEntryDsc& entry = *Entry(i);
    for (int j = 0; j < entry.RowCount(); ++j) {
      const CIPsp& row = *entry.Row(j);
      std::wstring section = SectionOf(row.partOfSpeech);
      for (int k = 0; k < entry.RecordCount(j); ++k) {
        const CEntryRecord& record = *entry.Record(j, k);
        if (!PassesFilter(record)) continue;
        ModifierRecord d;
        std::wstring canon = transOut ? transOut->GetString(section, L"CANON") : std::wstring();
        long mark = transOut ? transOut->GetInt(section, L"MARK", 1) : 1;
        std::wstring condition = transOut ? transOut->GetString(section, L"COND") : std::wstring();
        d.recordTitle = entry.GetRecordTitle(j, k, TableSource());

        bool holds = condition.empty() || EvalConditionList(entry, condition, j, k, 0);
        if (!canon.empty() && holds) {
          // An index that names no target form leaves the text empty.
          if (std::optional<CanonicalForm> canonical = ResolveCanonicalForm(record, canon)) {
            d.text = canonical->text;
            if (canonical->namedPartOfSpeech) d.caption = GetPartOfSpeechCaption(canonical->partOfSpeech);
            d.code = canonical->partOfSpeech;
          }
        } else {
          d.text = d.recordTitle.empty() ? record.word
                                         : entry.LoadForms(j, k, -1, L"OFormsRef", false, TableSource());
          d.caption = GetPartOfSpeechCaption(record.partOfSpeech);
          d.code = record.partOfSpeech;
        }
        if (mark != 0) d.modifierSet = ModifierSet(GetRecordCodeString(entry, j, k));
        if (!record.dictionaryNames.empty()) d.dictionaryName = record.dictionaryNames.front();
        if (!record.dictionaryKeys.empty()) d.dictionaryKey = record.dictionaryKeys.front();
        if (!(displayFlags_ & 0x20000)) d.comment = record.comment;
        d.priority = record.priority;
        d.label = record.label;
        d.AddSlot(k, j);
        entry.AddModifierRecord(d, modifierCompareDictionary_ != 0, TableSource());
      }
    }
  }
}

// Pass 2: one group with one sense per translation, merged into the list.
void CEdLightInfo::BuildGroups(std::vector<DictionaryRun>* markerList) {
  for (int i = 0; Entry(i); ++i) {
    CEntryDsc& entry = *Entry(i);
    for (int j = 0; j < entry.RowCount(); ++j) {
      const CIPsp& row = *entry.Row(j);
      std::wstring rowCaption = GetPartOfSpeechCaption(row.partOfSpeech);
      for (int k = 0; k < entry.RecordCount(j); ++k) {
        const CEntryRecord& record = *entry.Record(j, k);
        if (!PassesFilter(record)) continue;
        ModifierRecord d;
        d.code = record.partOfSpeech;
        d.text = WithoutCharacters(entry.LoadForms(j, k, -1, L"OFormsRef", false, TableSource()), L"{}<");
        d.caption = rowCaption;
        d.recordTitle = entry.GetRecordTitle(j, k, TableSource());
        d.AddSlot(k, j);
        d.secondText = record.SecondText();
        // The marker tables read the translation's marks from the descriptor.
        d.modifierSet = GetRecordCodeString(entry, j, k);

        EntrySense s = MakeSense(i, j, k, d);
        if (markersOn_ &&
            std::none_of(markerList->begin(), markerList->end(),
                         [&](const DictionaryRun& m) { return m.key == s.dictionaryKey; }))
          markerList->push_back({0, 0, s.dictionaryKey, s.dictionaryName, 0});

        EntryGroup g;
        g.title = WithoutCharacters(entry.LookupForms(j, k, -1, L"FormsRef", TableSource()), L"<{}");
        g.headword = row.headword;
        g.row = j;
        g.caption = rowCaption;
        g.comment = GetRowMarksComment(i, d);
        if (!row.note.empty()) g.comment += (g.comment.empty() ? L"" : L", ") + row.note;
        g.senses.push_back(std::move(s));
        g.entry = i;
        g.rowValue = row.rowValue;

        std::wstring m = GetRowMarks(i, d);
        size_t first = m.find(L'@');
        if (first != std::wstring::npos) {
          size_t second = m.find(L'@', first + 1);
          if (second == std::wstring::npos) second = m.size() - 1;
          std::wstring piece = second > first + 1 ? m.substr(first + 1, second - first - 1) : std::wstring();
          g.caption = g.caption + L" " + piece;
          m.erase(first, second - first + 1);
        }
        if (!m.empty()) g.marks = L"#" + m;
        AddGroup(std::move(g), dictionaryLayout_);
      }
    }
  }
}

EntrySense CEdLightInfo::MakeSense(int i, int j, int k, ModifierRecord& d) {
  const CEntryRecord& record = *Entry(i)->Record(j, k);
  EntrySense s;
  s.row = j;
  s.record = k;
  s.word = record.word;
  s.entry = i;
  s.order = -1;
  s.weight = record.weight;
  s.label = record.label;
  s.marks = (displayFlags_ & 0x2000) ? record.markString : GetTransMarks(i, d);
  s.inputMarks = GetTransMarksInput(i, d);
  s.text = d.text;
  if (!record.dictionaryNames.empty()) s.dictionaryName = record.dictionaryNames.front();
  if (!record.dictionaryKeys.empty()) s.dictionaryKey = record.dictionaryKeys.front();

  if (dictionaryLayout_ && !(displayFlags_ & 0x1000)) {
    long kind = 0;
    long number = 0;
    if (dictionaryLookupOn_ == 1) QueryDictionaryKind(s.dictionaryKey, &kind, &number);
    if (kind == kUserDictionaryKind || kind == kSpecializedDictionaryKind) {
      s.dictionaryName = L"\"" + s.dictionaryName + L"\", " +
                         platform::LoadResourceString(kind == kUserDictionaryKind ? kUserDictionaryString
                                                                                  : kSpecializedDictionaryString);
    }
    s.dictionaryNumber = number;
    s.dictionaryKind = kind;
  }
  if (!(displayFlags_ & 0x20000)) {
    s.comment = record.comment;
    std::wstring marks = GetTransMarksComment(i, d);
    if (!marks.empty()) s.comment += (s.comment.empty() ? L"" : L", ") + marks;
  }
  s.priority = record.priority;
  return s;
}

void CEdLightInfo::AddGroup(EntryGroup group, int merge) {
  auto known = std::find_if(groups_.begin(), groups_.end(),
                            [&](const EntryGroup& e) { return SameGroup(e, group); });
  if (known == groups_.end()) {
    groups_.push_back(std::move(group));
    return;
  }
  for (auto& sense : group.senses) {
    bool present = !IsSenseMergeOff() &&
                   std::any_of(known->senses.begin(), known->senses.end(),
                               [&](const EntrySense& t) { return SameSense(t, sense, merge); });
    if (!present) known->senses.push_back(std::move(sense));
  }
  if (merge && known->marks.find(group.marks) == std::wstring::npos) known->marks += group.marks;
}

// Groups of the display order's parts of speech first, in that order; the
// others keep their order after them.
void CEdLightInfo::OrderGroups() {
  std::vector<EntryGroup> ordered;
  std::vector<bool> taken(groups_.size(), false);
  for (int16_t code : kPartOfSpeechDisplayOrder) {
    if (code == 1000) break;
    for (size_t g = 0; g < groups_.size(); ++g) {
      const CEntryDsc* entry = Entry(groups_[g].entry);
      const CIPsp* row = entry ? entry->Row(groups_[g].row) : nullptr;
      if (!taken[g] && row && row->partOfSpeech == code) {
        ordered.push_back(std::move(groups_[g]));
        taken[g] = true;
      }
    }
  }
  for (size_t g = 0; g < groups_.size(); ++g) {
    if (!taken[g]) ordered.push_back(std::move(groups_[g]));
  }
  groups_ = std::move(ordered);
}

void CEdLightInfo::AddMarkersRow(const std::vector<DictionaryRun>& markerList) {
  if (activeMarkers_.empty() && !markerList.empty())
    activeMarkers_.push_back({std::wstring(), markerList.front().key, 1});
  auto markers = std::make_unique<CDictMarkers>(static_cast<unsigned short>(GetInterfaceLanguage()), markerList);
  if (!activeMarkers_.empty()) markers->SetMarkerState(activeMarkers_.front().key, 1);
  AddItemEx(L"mmm", 0, -1, -1, -1, -1, -1, -1, -1, std::move(markers));
}

int CEdLightInfo::LineFontSelector(uint16_t lid, const CEntryDsc& entry) const {
  return lid == 0xFFFF ? static_cast<int>(entry.GetSourceLanguage()) : lid;
}

void CEdLightInfo::AddGrammarItem(const EntryGroup& group, int gi, const std::wstring& markedUp, int selector,
                                  int indent) {
  CGrammarString line(markedUp, 1, static_cast<unsigned short>(selector));
  if (line.GetRangeCount() < 1) return;
  auto copy = std::make_unique<CGrammarString>(line);
  copy->SetIndent(indent);
  std::wstring text = copy->GetText();
  AddItemEx(text, 0, group.entry, group.row, -1, -1, -1, gi, -1, std::move(copy));
}

void CEdLightInfo::EmitGroup(int gi) {
  const EntryGroup& group = groups_[static_cast<size_t>(gi)];
  CEntryDsc* entry = Entry(group.entry);
  int titleIndex = AddItemEx(group.title, 1, group.entry, group.row, -1, -1, -1, gi, -1, nullptr);

  if (grammarLines_ && entry) {
    entry->SetCurrentRow(group.row);
    entry->SetCurrentRecord(0);
    std::vector<FormLine> lines;
    entry->FillFormRecordsEx(&lines, TableSource());
    if (!lines.empty()) AddGrammarItem(group, gi, lines.front().value, GetInterfaceLanguage(), 0);
  }

  if (!dictionaryLayout_) {
    for (size_t si = 0; si < group.senses.size(); ++si) {
      const EntrySense& s = group.senses[si];
      AddItemEx(s.text, 0, s.entry, s.row, s.record, static_cast<int>(si), s.order, gi, static_cast<int>(si),
                nullptr);
      if (grammarLines_) EmitSenseGrammar(gi, s);
    }
    return;
  }

  bool anyTranslation = EmitDictionaryRuns(gi);
  HighlightCaptions();
  if (anyTranslation || titleIndex >= static_cast<int>(items_.size())) return;
  items_.erase(items_.begin() + titleIndex);
  OnItemRemoved(titleIndex);
  if (markersOn_ && titleIndex < static_cast<int>(items_.size())) {
    LightInfoItem& next = items_[static_cast<size_t>(titleIndex)];
    if (next.drawing && next.drawing->GetKind() == 1) {
      items_.erase(items_.begin() + titleIndex);
      OnItemRemoved(titleIndex);
    }
  }
}

// The group's senses in runs of one dictionary each; answers whether any
// translation item was added.
bool CEdLightInfo::EmitDictionaryRuns(int gi) {
  const EntryGroup& group = groups_[static_cast<size_t>(gi)];
  CEntryDsc* entry = Entry(group.entry);
  const CIPsp* groupRow = entry ? entry->Row(group.row) : nullptr;
  bool hideOthers = hideInactive_ && !activeMarkers_.empty();
  bool activeFirst = activeFirst_ && !activeMarkers_.empty();
  if (markersOn_) {
    hideOthers = true;
    activeFirst = false;
  }

  std::vector<DictionaryRun> runs;
  for (size_t si = 0; si < group.senses.size();) {
    size_t end = si + 1;
    while (end < group.senses.size() && group.senses[end].dictionaryName == group.senses[si].dictionaryName) ++end;
    runs.push_back({static_cast<int>(si), static_cast<int>(end), group.senses[si].dictionaryKey,
                    group.senses[si].dictionaryName, hideOthers ? 0 : 1});
    si = end;
  }
  size_t next = 0;
  for (const ActiveMarker& marker : activeMarkers_) {
    for (size_t r = next; r < runs.size(); ++r) {
      if (runs[r].key != marker.key) continue;
      runs[r].visible = marker.state;
      if (activeFirst) std::swap(runs[r], runs[next++]);
      break;
    }
  }

  bool anyTranslation = false;
  for (const DictionaryRun& run : runs) {
    if (hideOthers && !run.visible) continue;
    const EntrySense& first = group.senses[static_cast<size_t>(run.first)];
    if (!markersOn_ && !noDictionaryCaptions_)
      AddItem(first.dictionaryName, 0, first.entry, first.row, first.record, 0, -1, 1);
    if (grammarLines_ && entry) {
      // The run's own first translation: the group's first one may come from
      // another dictionary and have other features.
      entry->SetCurrentRow(group.row);
      entry->SetCurrentRecord(first.record);
      std::vector<FormLine> lines;
      entry->FillFormRecords(&lines, TableSource());
      for (const FormLine& line : lines) {
        if (line.folder.empty()) AddGrammarItem(group, gi, line.value, LineFontSelector(line.lid, *entry), 10);
      }
    }

    std::vector<size_t> order;
    for (int si = run.first; si < run.last; ++si) order.push_back(static_cast<size_t>(si));
    if (!(displayFlags_ & 0x2000) && groupRow && groupRow->partOfSpeech == 3) {
      auto verbClass = [&](size_t si) {
        const EntrySense& s = group.senses[si];
        const CEntryRecord* record = Entry(s.entry) ? Entry(s.entry)->Record(s.row, s.record) : nullptr;
        if (!record || record->codeString.size() <= kVerbOrderPosition) return 4;
        wchar_t value = record->codeString[kVerbOrderPosition];
        return value >= 1 && value <= 3 ? static_cast<int>(value) : 4;
      };
      std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return verbClass(a) < verbClass(b); });
    }

    int number = 0;
    for (bool priorityZero : {true, false}) {
      for (size_t si : order) {
        const EntrySense& s = group.senses[si];
        if ((s.priority == 0) != priorityZero) continue;
        AddItemEx(s.text, 0, s.entry, s.row, s.record, number++, s.order, gi, static_cast<int>(si), nullptr);
        anyTranslation = true;
        if (grammarLines_) EmitSenseGrammar(gi, s);
      }
    }
  }
  return anyTranslation;
}

void CEdLightInfo::EmitSenseGrammar(int gi, const EntrySense& sense) {
  const EntryGroup& group = groups_[static_cast<size_t>(gi)];
  CEntryDsc* entry = Entry(group.entry);
  if (!entry) return;
  entry->SetCurrentRow(group.row);
  entry->SetCurrentRecord(sense.record);
  std::vector<FormLine> lines;
  entry->FillFormRecords(&lines, TableSource());
  for (const FormLine& line : lines) {
    if (line.folder.empty()) continue;
    std::wstring text = line.caption.empty() ? std::wstring() : line.caption + L" ";
    if (line.bullet) text += L"- ";
    text += line.value;
    AddGrammarItem(group, gi, text, LineFontSelector(line.lid, *entry), line.bullet ? 50 : 30);
  }
}

void CEdLightInfo::HighlightCaptions() {
  if (highlightDictionaries_.empty() || !highlightOn_) return;
  for (LightInfoItem& item : items_) {
    if (!item.captionFlag) continue;
    const CEntryDsc* entry = Entry(item.num1);
    const CEntryRecord* record = entry ? entry->Record(item.num2, item.num3) : nullptr;
    if (!record || record->dictionaryKeys.empty() || record->dictionaryKeys.front().empty()) continue;
    if (std::find(highlightDictionaries_.begin(), highlightDictionaries_.end(), record->dictionaryKeys.front()) !=
        highlightDictionaries_.end())
      item.highlighted = 1;
  }
}
