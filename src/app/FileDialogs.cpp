#include "app/FileDialogs.h"

#include <cstring>

#include "app/SystemIni.h"
#include "core/TextHelpers.h"
#include "platform/win/CommonDialogs.h"

namespace {

constexpr DWORD kOpenFlags =
    OFN_EXPLORER | OFN_NONETWORKBUTTON | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
constexpr DWORD kSaveFlags = kOpenFlags | OFN_ALLOWMULTISELECT | OFN_OVERWRITEPROMPT;

// The version part of the replay extension.
constexpr char kReplayExt[] = "rpl4_720";

// A filter list of one pair: description, NUL, patterns, NUL, NUL.
std::string Filter(const std::string& description, const std::string& patterns)
{
    return description + '\0' + patterns + '\0' + '\0';
}

const char* Title(const char* szEnglish, const char* szJapaneseUtf8, std::string& storage)
{
    storage = SystemIni.English != 0 ? std::string(szEnglish) : Sjis(szJapaneseUtf8);
    return storage.c_str();
}

}  // namespace

int OpenFileDialog(HWND hWndOwner, char* szBuffer, int nBufferLength, const char* szInitialFolder, const char* szTitle,
                   const char* szFilter, const char* szDefaultExt, int bMultiSelect, std::vector<std::string>* pResults)
{
    if (szBuffer == nullptr || nBufferLength <= 0) {
        return 0;
    }
    std::memset(szBuffer, 0, static_cast<std::size_t>(nBufferLength));
    OPENFILENAMEA ofn;
    ofn.hwndOwner = hWndOwner;
    ofn.lpstrFilter = szFilter;
    ofn.lpstrFile = szBuffer;
    ofn.nMaxFile = static_cast<DWORD>(nBufferLength);
    ofn.nMaxFileTitle = MAX_PATH;
    ofn.lpstrInitialDir = szInitialFolder;
    ofn.lpstrTitle = szTitle;
    ofn.lpstrDefExt = szDefaultExt;
    ofn.Flags = kOpenFlags | (bMultiSelect != 0 ? OFN_ALLOWMULTISELECT : 0);
    if (!GetOpenFileNameA(&ofn)) {
        return 0;
    }
    if (pResults != nullptr) {
        pResults->emplace_back(szBuffer);
    }
    return 1;
}

int SaveFileDialog(HWND hWndOwner, char* szBuffer, const char* szInitialFolder, const char* szTitle,
                   const char* szFilter, const char* szDefaultExt, int bKeepName)
{
    if (szBuffer == nullptr) {
        return 0;
    }
    if (bKeepName == 0) {
        std::memset(szBuffer, 0, MAX_PATH);
    }
    szBuffer[MAX_PATH - 1] = '\0';
    OPENFILENAMEA ofn;
    ofn.hwndOwner = hWndOwner;
    ofn.lpstrFilter = szFilter;
    ofn.lpstrFile = szBuffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.nMaxFileTitle = MAX_PATH;
    ofn.lpstrInitialDir = szInitialFolder;
    ofn.lpstrTitle = szTitle;
    ofn.lpstrDefExt = szDefaultExt;
    ofn.Flags = kSaveFlags;
    return GetSaveFileNameA(&ofn) ? 1 : 0;
}

bool ChooseStageToLoad(HWND hWndOwner, std::string& path)
{
    std::string title;
    const std::string filter = Filter("StageFile ( *.stg4_*;*.rpl4_* )", "*.stg4_*;*.rpl4_*");
    char buffer[MAX_PATH] = {};
    const int chosen = OpenFileDialog(hWndOwner, buffer, MAX_PATH, "data\\stg4\\",
                                      Title("Load stage file", "ステージファイルの読み込み", title), filter.c_str(),
                                      "stg4_*;rpl4_*", 0, nullptr);
    path = chosen != 0 ? buffer : "";
    return chosen != 0;
}

bool ChooseReplayToLoad(HWND hWndOwner, std::string& path)
{
    std::string title;
    const std::string filter = Filter("ReplayFile ( *.rpl4_* )", "*.rpl4_*");
    char buffer[MAX_PATH] = {};
    const int chosen = OpenFileDialog(hWndOwner, buffer, MAX_PATH, "user_data\\rpl4",
                                      Title("Load replay file", "リプレイファイルの読み込み", title), filter.c_str(),
                                      "rpl4_*", 0, nullptr);
    path = chosen != 0 ? buffer : "";
    return chosen != 0;
}

bool ChooseReplayToSave(HWND hWndOwner, const std::string& proposedName, std::string& path)
{
    std::string title;
    const std::string ext = kReplayExt;
    const std::string filter = Filter("ReplayFile ( *." + ext + " )", "*." + ext);
    char buffer[MAX_PATH] = {};
    std::strncpy(buffer, proposedName.c_str(), MAX_PATH - 1);
    const int chosen =
        SaveFileDialog(hWndOwner, buffer, "user_data\\rpl4\\",
                       Title("Save replay file", "リプレイファイルの保存", title), filter.c_str(), ext.c_str(), 1);
    path = chosen != 0 ? buffer : "";
    return chosen != 0;
}
