#include "CanonicalForm.h"

#include "ConditionLanguage.h"
#include "EntryRecord.h"
#include "TextEdit.h"

std::optional<CanonicalForm> ResolveCanonicalForm(const CEntryRecord& record, const std::wstring& canon)
{
    if (canon.empty())
        return std::nullopt;
    CanonicalForm form;
    std::wstring index = canon;
    const size_t hash = canon.find(L'#');
    if (hash != std::wstring::npos) {
        // The character before "#" (the closing brace) is dropped.
        index = canon.substr(0, hash == 0 ? 0 : hash - 1);
        RemoveAll(index, L"{");
        form.partOfSpeech = static_cast<int16_t>(ReadDecimal(canon.substr(hash + 1)));
        form.namedPartOfSpeech = true;
    } else {
        form.partOfSpeech = record.partOfSpeech;
    }
    const int n = ReadDecimal(index);
    if (n < 0 || n >= static_cast<int>(record.targetForms.size()))
        return std::nullopt;
    form.text = record.targetForms[n];
    return form;
}
