// Until the table reader binding lands, plain table files cannot be opened.
#include "LayoutTable.h"

std::unique_ptr<LayoutTable> OpenLayoutTableFile(const std::wstring&)
{
    return nullptr;
}
