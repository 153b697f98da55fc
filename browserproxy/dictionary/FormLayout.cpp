// The form-layout interpreter: feature lines of a translation's grammar code
// string, as the numbered sections of the information table describe them.
#include "CharLibText.h"
#include "ConditionLanguage.h"
#include "EDForm.h"
#include "EntryDsc.h"
#include "TextEdit.h"

namespace {


struct Braces {
    size_t open = std::wstring::npos;
    size_t close = std::wstring::npos;
    bool found() const { return close != std::wstring::npos; }
    std::wstring inner(const std::wstring& text) const { return text.substr(open + 1, close - open - 1); }
};

// The first '{' and the first '}' after it.
Braces FindBraces(const std::wstring& text)
{
    Braces braces;
    braces.open = text.find(L'{');
    if (braces.open != std::wstring::npos)
        braces.close = text.find(L'}', braces.open + 1);
    return braces;
}

void ReplaceInner(std::wstring& text, const Braces& braces, const std::wstring& with)
{
    text.replace(braces.open + 1, braces.close - braces.open - 1, with);
}

// What one section of the table says.
struct SectionKeys {
    std::wstring folder;
    long bullet = 1;
    long line = 1;
    long comment = 0;
    long invisible = 0;
    long formatEnd = 1;
    long lightInput = 0;
};

}  // namespace

void CEDForm::NormalizeMarkup(std::wstring& text)
{
    bool haveBlock = false;
    std::wstring block;
    const size_t blockOpen = text.find(L"[#");
    const size_t blockClose = blockOpen == std::wstring::npos ? std::wstring::npos : text.find(L"#]", blockOpen + 2);
    if (blockClose != std::wstring::npos) {
        block = text.substr(blockOpen + 2, blockClose - blockOpen - 2);
        text.erase(blockOpen, blockClose + 2 - blockOpen);
        haveBlock = true;
        const size_t angle = text.find_first_of(L"<>");
        if (angle != std::wstring::npos && angle + 1 < text.size() && text[angle + 1] == L'{')
            std::swap(text[angle], text[angle + 1]);
    }

    size_t marker = text.find(L'<');
    if (marker == std::wstring::npos)
        marker = text.find(L'>');
    if (marker == std::wstring::npos)
        return;
    const wchar_t direction = text[marker];
    const size_t space = text.find(L' ', marker);
    std::wstring word = text.substr(marker, space == std::wstring::npos ? std::wstring::npos : space - marker);

    if (haveBlock && word != block && word != L"<" + block && word != L"<{" + block) {
        text.erase(marker, 1);
        return;
    }

    const size_t firstOpen = text.find(L'{');
    const size_t firstClose = firstOpen == std::wstring::npos ? std::wstring::npos : text.find(L'}', firstOpen);
    const bool inBraces = firstClose != std::wstring::npos && marker > firstOpen && marker < firstClose;
    int counter = -1;
    const size_t percent = text.find(L'%');
    if (percent != std::wstring::npos && percent + 1 < text.size()) {
        const size_t nextPercent = text.find(L'%', percent + 1);
        if (marker > percent && (nextPercent == std::wstring::npos || marker < nextPercent))
            counter = ReadDecimal(std::wstring(1, text[percent + 1]));
    }

    text.erase(marker, word.size());
    ReplaceAll(text, word + L" ", L"");
    word.erase(0, 1);
    word += L' ';
    if (inBraces)
        word = L"{" + word + L"}";
    if (counter >= 0)
        word = L"%" + std::to_wstring(counter) + word + L"%";
    text = direction == L'<' ? word + L" " + text : text + L" " + word;
}

bool CEDForm::MatchesModifierFilter(const std::wstring& filter, int row, int translation) const
{
    size_t start = 0;
    bool optional = false;
    bool negated = false;
    const auto nextItem = [&]() {
        optional = negated = false;
        if (start == std::wstring::npos)
            return 0;
        const size_t comma = filter.find(L',', start);
        std::wstring item = filter.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        start = comma == std::wstring::npos ? std::wstring::npos : comma + 1;
        if (!item.empty() && item[0] == L'%') {
            optional = true;
            item.erase(0, 1);
        } else if (!item.empty() && item[0] == L'!') {
            negated = true;
            item.erase(0, 1);
        }
        return ReadDecimal(item);
    };

    int number = nextItem();
    bool result = false;
    while (number != 0 && translation >= 0) {
        const uint16_t code = static_cast<uint16_t>(number);
        if (RowHasModifier(row, code)) {
            result = RecordHasModifier(row, translation, code) != negated;
            if (!result)
                return false;
        } else {
            result = optional != negated;
        }
        number = nextItem();
    }
    return result;
}

void CEDForm::BuildLayout(std::vector<FormLine>* lines, LayoutTableSource* tables)
{
    if (!lines || !entry_ || !table_ || !table_->HasIndex())
        return;
    const int row = entry_->GetCurrentRow();
    const int tr = entry_->GetCurrentRecord();
    tables_ = tables;
    FormLine pendingLine;
    bool pending = false;
    int unionTarget = -1;
    const long count = table_->GetSectionCount();
    const std::wstring tableName = GetTableName();
    const CEntryRecord* record = entry_->Record(row, tr);
    std::wstring code = record ? record->codeString : std::wstring();

    for (int k = -1; !code.empty();) {
        for (long number = 1; number <= count; ++number) {
            const std::wstring s = std::to_wstring(number);
            const std::wstring prizn = table_->GetString(s, L"PRIZN");
            if (prizn.empty())
                continue;
            const int position = ReadDecimal(prizn);
            if (position < 1 || position > static_cast<int>(code.size()) + 1)
                continue;  // a feature the code string does not have
            const int i = position - 1;
            const int c = i == static_cast<int>(code.size()) ? 0 : (code[i] & 0xFF);
            const std::wstring vk = std::to_wstring(c);

            SectionKeys keys;
            keys.folder = table_->GetString(s, L"FOLDER");
            keys.bullet = table_->GetInt(s, L"BULLET", 1);
            keys.line = table_->GetInt(s, L"LINE", 1);
            keys.comment = table_->GetInt(s, L"COMMENT", 0);
            keys.invisible = table_->GetInt(s, L"INVISIBLE", 0);
            keys.formatEnd = table_->GetInt(s, L"FORMATEND", 1);
            keys.lightInput = table_->GetInt(s, L"LIGHTINP", 0);
            int joined = 0;

            const std::wstring mod1 = table_->GetString(s, L"MOD1");
            if (!mod1.empty() && !MatchesModifierFilter(mod1, row, tr))
                continue;
            const std::wstring mod2 = table_->GetString(s, L"MOD2");
            if (!mod2.empty() && !EvalConditionList(mod2, code_, row, tr))
                continue;

            std::wstring value = table_->GetString(s, vk);
            std::vector<std::wstring> values;

            if (value.empty() && pending && pendingLine.unionTarget != -1 && pendingLine.unionTarget <= i + 1)
                pending = false;

            bool endPass = false;
            if (value.empty()) {
                // A pair line: the "#S" half and the "#T" half.
                if (tr < 0) {
                    endPass = true;
                } else {
                    std::wstring left = table_->GetString(s, vk + L"#S");
                    std::wstring right = table_->GetString(s, vk + L"#T");
                    if (left.empty() || right.empty())
                        continue;
                    if (Braces b = FindBraces(left); b.found()) {
                        std::wstring form = entry_->LookupFormsFor(ReadDecimal(b.inner(left)), tables_);
                        if (!IsUsableForm(form))
                            continue;
                        if (left.find(L'|') != std::wstring::npos && form.size() > 1) {
                            RemoveAll(left, L"|");
                            form[0] = CharLibUpperCharacter(language_, form[0]);
                            b = FindBraces(left);
                        }
                        ReplaceInner(left, b, form);
                        NormalizeMarkup(left);
                    }
                    bool caret = false;
                    std::vector<std::wstring> collected;
                    const size_t rightOpen = right.find(L'{');
                    if (rightOpen == std::wstring::npos) {
                        value.clear();
                        joined = 0;
                    } else {
                        if (right.find(L'}', rightOpen + 1) != std::wstring::npos) {
                            Braces b = FindBraces(right);
                            std::wstring inner = b.inner(right);
                            caret = !inner.empty() && inner[0] == L'^';
                            if (caret)
                                inner.erase(0, 1);
                            const int n = ReadDecimal(inner);
                            std::wstring condition;
                            const size_t at = right.find(L"/@");
                            const size_t atEnd = at == std::wstring::npos ? std::wstring::npos : right.find(L"@/", at + 2);
                            if (atEnd != std::wstring::npos) {
                                condition = right.substr(at + 2, atEnd - at - 2);
                                right.erase(at, atEnd + 2 - at);
                            }
                            std::wstring form;
                            std::vector<std::wstring> pieces;
                            if (!caret) {
                                form = entry_->LoadFormsFor(n, false, tables_);
                                if (!IsUsableForm(form))
                                    continue;
                            } else {
                                form = entry_->LoadOFormsFor(n, condition, tables_);
                                if (form.empty())
                                    continue;
                                SplitFormPieces(form, pieces);
                            }
                            b = FindBraces(right);
                            if (!b.found())
                                continue;  // the condition block held the braces
                            if (pieces.empty()) {
                                ReplaceInner(right, b, form);
                                if (caret)
                                    RemoveAll(right, L"^");
                                NormalizeMarkup(right);
                            } else {
                                for (const std::wstring& piece : pieces) {
                                    std::wstring text = right;
                                    ReplaceInner(text, b, piece);
                                    if (caret)
                                        RemoveAll(text, L"^");
                                    NormalizeMarkup(text);
                                    collected.push_back(text);
                                }
                            }
                        }
                        const std::wstring separator = caret ? L" : " : L" - ";
                        if (collected.empty()) {
                            value = left + separator + right;
                        } else {
                            for (const std::wstring& text : collected)
                                values.push_back(left + separator + text);
                        }
                        joined = 1;
                    }
                }
            } else if (Braces b = FindBraces(value); b.found()) {
                const int n = ReadDecimal(b.inner(value));
                std::wstring form;
                if (table_->GetInt(s, L"TARGET", 0) == 0) {
                    form = entry_->LookupFormsFor(n, tables_);
                } else if (tr < 0) {
                    endPass = true;
                } else {
                    form = entry_->LoadFormsFor(n, false, tables_);
                }
                if (!endPass) {
                    if (!IsUsableForm(form))
                        continue;
                    ReplaceInner(value, b, form);
                    NormalizeMarkup(value);
                    unionTarget = table_->GetInt(s, L"UNION", -1);
                }
            } else if (value.find(L'{') != std::wstring::npos) {
                unionTarget = table_->GetInt(s, L"UNION", -1);
            }
            if (endPass)
                break;

            if (unionTarget != -1 && unionTarget >= i + 1) {
                pendingLine.lid = lid_;
                pendingLine.bullet = keys.bullet;
                pendingLine.line = keys.line;
                pendingLine.unionTarget = unionTarget;
                (keys.comment == 0 ? pendingLine.value : pendingLine.comment) = value;
                pendingLine.folder = keys.folder;
                pending = true;
                unionTarget = -1;
                continue;
            }

            FormLine line;
            if (pending) {
                line = pendingLine;
                line.lightInput = keys.lightInput;
                line.formatEnd = keys.formatEnd;
                const std::wstring& tail = !value.empty() || values.empty() ? value : values.front();
                (line.comment.empty() ? line.value : line.comment) += L" - " + tail;
                line.joined = 1;
                line.lid = lid_;
                pending = false;
                pendingLine = FormLine();
                AddLine(*lines, line);
                continue;
            }
            if (keys.invisible != 0)
                continue;
            if (values.empty())
                values.push_back(value);
            for (const std::wstring& text : values) {
                line.bullet = keys.bullet;
                line.line = keys.line;
                line.formatEnd = keys.formatEnd;
                if (keys.comment == 0) {
                    line.value = text;
                    line.caption = table_->GetString(s, L"CAPTION");
                } else {
                    line.comment = text;
                }
                line.folder = keys.folder;
                line.lightInput = keys.lightInput;
                line.lid = lid_;
                line.joined = joined;
                if (joined == 0)
                    line.key = ToLower(tableName + L"_" + s + L"_" + std::to_wstring(c));
                else if (!line.caption.empty())
                    line.key = ToLower(tableName + L"_" + s);
                AddLine(*lines, line);
            }
        }

        ++k;
        code = PadCodeString(GetExtraCodeString(k));
    }
}
