#include "app/SystemIni.h"

#include <climits>
#include <cstdio>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "platform/win/Files.h"

SYSTEMINI SystemIni;

namespace {

constexpr int kFreeStageEntry = 8;
constexpr int kEntryCount = 10;
constexpr std::size_t kFreeStageMinLength = 2;

// The integer setting of a list entry; nullptr for the text entry and beyond the list.
int* IntSetting(SYSTEMINI& s, int entry)
{
    int* const fields[kEntryCount] = {&s.Direct3D,     &s.WindowMode,      &s.Bpp,     &s.VSync, &s.D3D_FontCache,
                                      &s.DD_FontCache, &s.DD_VideoStretch, &s.ShowFps, nullptr,  &s.English};
    return entry >= 0 && entry < kEntryCount ? fields[entry] : nullptr;
}

int EntryCount(const cVector<cIniSetting>& keys)
{
    return keys.size() < static_cast<std::size_t>(kEntryCount) ? static_cast<int>(keys.size()) : kEntryCount;
}

bool IsSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atoi's reading (leading white space, optional sign, leading digits; none gives 0), saturated
// at the int range instead of overflowing.
int ParseInt(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    return value > INT_MAX ? INT_MAX : (value < INT_MIN ? INT_MIN : static_cast<int>(value));
}

void Apply(SYSTEMINI& settings, const cVector<cIniSetting>& keys, const std::string& key, const std::string& value)
{
    const int count = EntryCount(keys);
    for (int entry = 0; entry < count; ++entry) {
        if (keys[entry].strName != key) {
            continue;
        }
        if (entry == kFreeStageEntry) {
            if (value.size() >= kFreeStageMinLength && value.size() <= kFreeStageMaxLength) {
                settings.FreeStage = value;
            }
        } else if (int* field = IntSetting(settings, entry)) {
            *field = ParseInt(value);
        }
        return;
    }
}

// Appends c unless the text is already at its bound (longer texts are cut, the rest consumed).
void Append(std::string& text, int c)
{
    if (text.size() < kSystemIniTextMax) {
        text.push_back(static_cast<char>(c));
    }
}

struct FileCloser {
    FILE* fp;
    ~FileCloser() { std::fclose(fp); }
};

enum class LineEnd { Next, Success, Failure };

// One line: the key part, then (after "=") the value, applied to the settings.
LineEnd ReadLine(FILE* fp, SYSTEMINI& settings, const cVector<cIniSetting>& keys)
{
    std::string key;
    for (;;) {
        const int c = std::fgetc(fp);
        if (c == EOF) {
            return LineEnd::Failure;
        }
        if (c == '\0') {
            return LineEnd::Success;
        }
        if (c == '\n') {
            return key == "Exit" ? LineEnd::Success : LineEnd::Next;
        }
        if (c == '=') {
            break;
        }
        if (c != ' ' && c != '\t' && c != '\r') {
            Append(key, c);
        }
    }
    // Blanks between "=" and the value are passed over ("Direct3D = 1" sets 1); the value then
    // ends at its first blank, tab, slash, line feed, NUL or the end of the file. A carriage
    // return is kept.
    std::string value;
    int c = std::fgetc(fp);
    while (c == ' ' || c == '\t') {
        c = std::fgetc(fp);
    }
    while (c != EOF && c != ' ' && c != '\t' && c != '/' && c != '\n' && c != '\0') {
        Append(value, c);
        c = std::fgetc(fp);
    }
    Apply(settings, keys, key, value);
    return LineEnd::Next;
}

}  // namespace

void SetSystemIniDefault(SYSTEMINI& settings, const cVector<cIniSetting>& keys)
{
    const int count = EntryCount(keys);
    for (int entry = 0; entry < count && entry < kFreeStageEntry; ++entry) {
        *IntSetting(settings, entry) = keys[entry].nValue;
    }
    if (count > kFreeStageEntry) {
        const std::string& text = keys[kFreeStageEntry].strText;
        settings.FreeStage = text.substr(0, kFreeStageMaxLength);
    }
    settings.English = 0;
}

int ReadSystemIni(const char* szPath, SYSTEMINI& settings, const cVector<cIniSetting>& keys)
{
    FILE* fp = FOpen(szPath, "rb");
    if (fp == nullptr) {
        return 0;
    }
    FileCloser closer{fp};
    for (int line = 0; line < kSystemIniMaxLines; ++line) {
        switch (ReadLine(fp, settings, keys)) {
        case LineEnd::Success: return 1;
        case LineEnd::Failure: return 0;
        case LineEnd::Next: break;
        }
    }
    return 1;
}

int LoadSystemIni(const char* szPath, SYSTEMINI& settings, const cVector<cIniSetting>& keys)
{
    SetSystemIniDefault(settings, keys);
    const int read = ReadSystemIni(szPath, settings, keys);
    if (read == 0) {
        static const std::string kText = Sjis("System.ini の読み込みに失敗しました！");
        ReportLogECBox("%s", kText.c_str());
        SetSystemIniDefault(settings, keys);
    }
    return read;
}
