#pragma once
#include <string>

// Cuts a selection to about `limit` characters for the selection popup:
// at the first "." from position limit - 1 when it comes within 50 more
// characters, else at the last "." of the first `limit` characters, else
// after exactly `limit` characters. A text of at most `limit` characters,
// and any text when the limit is not positive, is kept whole.
std::wstring LimitSelection(const std::wstring& text, long limit);
