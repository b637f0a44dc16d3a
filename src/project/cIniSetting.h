// One setting of the user's "System.ini" as the project settings name it: the key and its
// default. The settings hold ten, by position: 0 "Direct3D", 1 "WindowMode", 2 "Bpp", 3 "VSync",
// 4 "D3D_FontCache", 5 "DD_FontCache", 6 "DD_VideoStretch", 7 "ShowFps", 8 "FreeStage" (a text
// setting), 9 "English".
//
// Stored form inside a settings list (every version): raw nKind, nValue; strings strName, strText.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"

class cIniSetting : public cDataRecord {
public:
    std::int32_t nKind = 0;   // 0 an integer setting, 1 a text setting
    std::string strName;      // the key as written in "System.ini", compared exactly (case included)
    std::int32_t nValue = 0;  // default of an integer setting
    std::string strText;      // default of a text setting

    // Kinds of setting.
    static constexpr int kInteger = 0;
    static constexpr int kText = 1;

    // Registers for nDataVersion; an integer setting with value 0 and empty texts (what the
    // settings upgrade appends to a short list before naming the entries).
    cIniSetting();
    cIniSetting(const cIniSetting&) = default;
    // The base assignment (descriptor tables), then the four members.
    cIniSetting& operator=(const cIniSetting&) = default;

    void RegisterMembers(int nVersion) override;

    // Makes this the integer setting name with the default value; strText is left as it was.
    void SetValue(const std::string& name, int value);
    // Makes this the text setting name with the default text; nValue is left as it was.
    void SetText(const std::string& name, const std::string& text);
};
