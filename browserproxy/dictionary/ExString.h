#pragma once
#include <cstdint>
#include <string>

// One string with a number beside it, as the translation-variant builder
// hands texts to the entry.
class CExString {
public:
    CExString() = default;
    explicit CExString(std::wstring text) : text(std::move(text)) {}
    virtual ~CExString() = default;
    CExString(const CExString&) = default;
    CExString& operator=(const CExString&) = default;

    std::wstring text;
    int32_t value = 0;
};
