// Grammar lines and titles of an entry, through the input-form model.
#include "EDForm.h"
#include "EntryDsc.h"
#include "TextEdit.h"

namespace {

// Lines are cleared first; false when lines or tables are missing or the
// current row is out of range.
bool StartLines(const CEntryDsc& entry, std::vector<FormLine>* lines, LayoutTableSource* tables)
{
    if (!lines || !tables)
        return false;
    lines->clear();
    return entry.Row(entry.GetCurrentRow()) != nullptr;
}

}  // namespace

bool CEntryDsc::FillFormRecords(std::vector<FormLine>* lines, LayoutTableSource* tables)
{
    if (!StartLines(*this, lines, tables))
        return false;
    CEDForm form;
    form.SetFolder(mdsFolder);
    if (form.LoadInfo(static_cast<uint16_t>(GetSourceLanguage()), GetCurrentRow(), GetCurrentRecord(), this, tables))
        form.BuildLayout(lines, tables);
    return true;
}

bool CEntryDsc::FillFormRecordsEx(std::vector<FormLine>* lines, LayoutTableSource* tables)
{
    if (!StartLines(*this, lines, tables))
        return false;
    CEDForm form;
    form.SetFolder(mdsFolder);
    if (form.LoadInputForms(this, 1, GetCurrentRow(), 0, tables)) {
        form.SetMode(1);
        form.BuildInfoLines(lines, {});
    }
    return true;
}

std::wstring CEntryDsc::GetRecordTitle(int row, int record, LayoutTableSource* tables)
{
    if (!Record(row, record))
        return {};
    CEDForm form;
    form.SetFolder(mdsFolder);
    if (!form.LoadInputForms(this, 0, record, row, tables))
        return {};
    FormLine line;
    if (!form.BuildTitle({}, &line, true, row, record, tables))
        return {};
    std::wstring title = line.value;
    RemoveAll(title, line.extraText1);  // nothing for an empty word
    return title;
}
