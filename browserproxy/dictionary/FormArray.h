#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A named list of word forms; the name is its key in a form map.
class CFormArray {
public:
    CFormArray() = default;
    virtual ~CFormArray() = default;
    CFormArray(const CFormArray&) = default;
    CFormArray& operator=(const CFormArray&) = default;

    int16_t value = 0;
    std::wstring name;
    std::vector<std::wstring> forms;
    std::vector<int32_t> codes;
};

// Form arrays keyed by "<WORD>#<part of speech>", upper-cased.
using FormMap = std::map<std::wstring, CFormArray>;
