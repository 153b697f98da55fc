#pragma once
#include <cstdint>
#include <string>

// One line of grammatical information, as the form interpreters hand it to
// the light view.
struct FormLine {
    int32_t tag = 0;
    std::wstring extraText1;  // the title's word
    std::wstring comment;
    std::wstring value;
    std::wstring extraText2;
    std::wstring caption;
    std::wstring extraText3;
    std::wstring key;  // lower-case line key
    std::wstring extraText4;
    int32_t extra1 = 0;  // 1 on title lines
    int32_t formatEnd = 1;
    int32_t extra2 = 0;
    int32_t lightInput = 0;
    int32_t extra3 = 0;
    int32_t extra4 = 0;
    std::wstring folder;
    int32_t extra5 = 0;
    int32_t extra6 = 0;
    int32_t bullet = 1;
    int32_t line = 1;
    int32_t joined = 0;  // 1 for pair and union lines
    uint16_t lid = 0;    // language of the line's text
    int32_t extra7 = 0;
    int32_t unionTarget = -1;
};
