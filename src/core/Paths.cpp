#include "core/Paths.h"

#include <cctype>
#include <cstring>

#include "core/TextHelpers.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"

const std::string PathTable[kPathTableSize] = {
    "data\\",                               // 0
    "default\\",                            // 1
    "data\\stg4\\old_ver\\",                // 2
    "data\\work\\",                         // 3
    "e_data\\EditConfig.dat",               // 4
    "data\\PrjOption.dat",                  // 5
    "default\\PrjOption.dat",               // 6
    "data\\CommonPalette.cplt4",            // 7
    "default\\CommonPalette.cplt4",         // 8
    "data\\GValInfo.dat",                   // 9
    "default\\GValInfo.dat",                // 10
    "data\\stg4\\Default.stg4_***",         // 11
    "default\\stg4\\Default.stg4_***",      // 12
    "data\\WorldMap.dat",                   // 13
    "default\\WorldMap.dat",                // 14
    "data\\database\\AnimeSet.dat",         // 15
    "default\\database\\AnimeSet.dat",      // 16
    "data\\database\\Anime.dat",            // 17
    "default\\database\\Anime.dat",         // 18
    "data\\database\\Bmp_CharaExc.dat",     // 19
    "default\\database\\Bmp_CharaExc.dat",  // 20
    "data\\database\\SwordType.dat",        // 21
    "default\\database\\SwordType.dat",     // 22
    "data\\database\\Effect.dat",           // 23
    "default\\database\\Effect.dat",        // 24
    "data\\database\\CharaEffect.dat",      // 25
    "default\\database\\CharaEffect.dat",   // 26
    "data\\database\\ScrEffect.dat",        // 27
    "default\\database\\ScrEffect.dat",     // 28
    "data\\database\\Picture.dat",          // 29
    "default\\database\\Picture.dat",       // 30
    "data\\database\\Sound.dat",            // 31
    "default\\database\\Sound.dat",         // 32
    "data\\database\\Bgm.dat",              // 33
    "default\\database\\Bgm.dat",           // 34
    "data\\System.dat",                     // 35
    "default\\System.dat",                  // 36
    "data\\stg4\\c",                        // 37
    "user_data\\story\\",                   // 38
    "user_data\\challenge\\",               // 39
    "user_data\\free\\",                    // 40
    "user_data\\story\\Story",              // 41
    "user_data\\challenge\\Challenge.dat",  // 42
    "user_data\\Option.dat",                // 43
    "user_data\\",                          // 44
    "user_data\\KeyConfig.dat",             // 45
    "user_data\\Boot.dat",                  // 46
    "user_data\\Window.dat",                // 47
};

const std::string ExtTable[kExtTableSize] = {"cplt4", "stg4", "plt4", "rkg"};

namespace {

// The shell's folder-copy flags: FOF_MULTIDESTFILES | FOF_SILENT | FOF_NOCONFIRMATION.
constexpr WORD kCopyFlags = 0x0015;

bool IsAbsolutePath(const char* szPath)
{
    return szPath[0] == '\\' || (std::isalpha(static_cast<unsigned char>(szPath[0])) && szPath[1] == ':');
}

bool FitsPath(std::size_t length)
{
    return length < static_cast<std::size_t>(MAX_PATH);
}

// Offset of the file name: just after the last '\' that is not the trail byte of a double-byte
// character. Scanning by characters from the front keeps lead and trail bytes paired.
std::size_t FileNameStart(const char* szPath)
{
    std::size_t start = 0;
    for (std::size_t i = 0; szPath[i] != '\0';) {
        if (IsDBCSChar(szPath + i)) {
            i += 2;
            continue;
        }
        if (szPath[i] == '\\') {
            start = i + 1;
        }
        ++i;
    }
    return start;
}

// Offset of the file name's last '.', or npos. A '.' is never a trail byte, so a plain search
// inside the file name is safe.
std::size_t ExtensionDot(const char* szPath)
{
    std::size_t start = FileNameStart(szPath);
    const char* dot = std::strrchr(szPath + start, '.');
    return dot == nullptr ? std::string::npos : static_cast<std::size_t>(dot - szPath);
}

void CopyToBuffer(char* szDst, const std::string& text)
{
    std::memcpy(szDst, text.c_str(), text.size() + 1);
}

bool IsFolder(const char* szPath)
{
    DWORD attributes = GetFileAttributesA(szPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The absolute form of a folder path without its final '\'; empty when it cannot be formed.
std::string AbsoluteFolder(const std::string& folder)
{
    char buffer[MAX_PATH];
    DWORD length = GetFullPathNameA(folder.c_str(), MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= static_cast<DWORD>(MAX_PATH)) {
        return {};
    }
    std::string path(buffer, length);
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

// One shell folder operation without prompts; true when it completed.
bool ShellOperation(HWND hWndOwner, UINT wFunc, const std::string& from, const std::string& to)
{
    // Double-NUL-terminated lists of one entry each.
    std::string fromList = from + '\0';
    std::string toList = to + '\0';
    SHFILEOPSTRUCTA operation;
    operation.hwnd = hWndOwner;
    operation.wFunc = wFunc;
    operation.pFrom = fromList.c_str();
    operation.pTo = to.empty() ? nullptr : toList.c_str();
    operation.fFlags = kCopyFlags;
    return SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace

int MakeRelativePath(char* szPath)
{
    if (!IsAbsolutePath(szPath)) {
        return 1;
    }
    char current[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
    if (length == 0 || length >= static_cast<DWORD>(MAX_PATH)) {
        return 0;
    }
    char relative[MAX_PATH];
    if (!PathRelativePathToA(relative, current, FILE_ATTRIBUTE_DIRECTORY, szPath, 0)) {
        return 0;
    }
    std::strcpy(szPath, relative);
    return 1;
}

int MakeRelativePathStr(std::string& path)
{
    if (!FitsPath(path.size())) {
        return 0;
    }
    char buffer[MAX_PATH];
    CopyToBuffer(buffer, path);
    int result = MakeRelativePath(buffer);
    path = buffer;
    return result;
}

int MakeFullPath(char* szPath)
{
    if (IsAbsolutePath(szPath)) {
        return 1;
    }
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(szPath, MAX_PATH, full, nullptr);
    if (length == 0 || length >= static_cast<DWORD>(MAX_PATH)) {
        return 0;
    }
    std::strcpy(szPath, full);
    return 1;
}

void ToGameSeparators(std::string& path)
{
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
}

void StripDirectory(char* szPath)
{
    std::size_t start = FileNameStart(szPath);
    if (start > 0) {
        std::memmove(szPath, szPath + start, std::strlen(szPath + start) + 1);
    }
}

int ChangeExtension(char* szDst, const char* szSrc, const char* szExt)
{
    std::string text = szSrc;
    std::size_t dot = ExtensionDot(szSrc);
    if (dot == std::string::npos) {
        CopyToBuffer(szDst, text);
        return 0;
    }
    std::string changed = szExt == nullptr ? text.substr(0, dot) : text.substr(0, dot + 1) + szExt;
    if (!FitsPath(changed.size())) {
        CopyToBuffer(szDst, text);
        return 0;
    }
    CopyToBuffer(szDst, changed);
    return 1;
}

int StripExtension(char* szPath)
{
    std::size_t dot = ExtensionDot(szPath);
    if (dot == std::string::npos) {
        return 0;
    }
    szPath[dot] = '\0';
    return 1;
}

int StripExtensionStr(std::string& path)
{
    std::size_t dot = ExtensionDot(path.c_str());
    if (dot == std::string::npos) {
        return 0;
    }
    path.resize(dot);
    return 1;
}

int GetExtension(char* szDst, const char* szPath)
{
    std::size_t dot = ExtensionDot(szPath);
    if (dot == std::string::npos) {
        return 0;
    }
    std::strcpy(szDst, szPath + dot + 1);
    return 1;
}

int InsertFileNumber(char* szDst, const char* szSrc, int d1, int d2)
{
    std::string text = szSrc;
    std::size_t dot = ExtensionDot(szSrc);
    bool digits = d1 >= 0 && d1 <= 9 && d2 >= 0 && d2 <= 9;
    std::string numbered;
    if (dot != std::string::npos && digits) {
        numbered =
            text.substr(0, dot) + '_' + static_cast<char>('0' + d1) + static_cast<char>('0' + d2) + text.substr(dot);
    }
    if (numbered.empty() || !FitsPath(numbered.size())) {
        if (FitsPath(text.size())) {
            CopyToBuffer(szDst, text);
        }
        return 0;
    }
    CopyToBuffer(szDst, numbered);
    return 1;
}

int FindNewestNumberedFile(char* szDst, const char* szSrc, const char* szExt)
{
    std::string result;
    if (!FindNewestNumberedFileStr(result, szSrc, szExt)) {
        return 0;
    }
    CopyToBuffer(szDst, result);
    return 1;
}

int FindNewestNumberedFileStr(std::string& dst, const std::string& src, const char* szExt)
{
    if (!FitsPath(src.size())) {
        return 0;
    }
    char base[MAX_PATH];
    ChangeExtension(base, src.c_str(), szExt);
    if (!FitsPath(std::strlen(base) + 4)) {
        return 0;
    }
    for (int number = 999; number >= 0; --number) {
        const char digits[] = {'_', static_cast<char>('0' + number / 100), static_cast<char>('0' + number / 10 % 10),
                               static_cast<char>('0' + number % 10), '\0'};
        std::string candidate = std::string(base) + digits;
        if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) {
            dst = candidate;
            return 1;
        }
    }
    return 0;
}

int CreateDefaultData(HWND hWndOwner)
{
    const std::string& dataFolder = PathTable[0];
    const std::string& defaultFolder = PathTable[1];
    if (IsFolder(dataFolder.c_str())) {
        return 1;
    }
    if (!IsFolder(defaultFolder.c_str())) {
        return 0;
    }
    static const std::string kQuestion = Sjis("データが存在しません！デフォルトデータを作成しますか？\n");
    static const std::string kCaption = Sjis("デフォルトデータ作成の確認");
    if (MessageBoxA(hWndOwner, kQuestion.c_str(), kCaption.c_str(), MB_YESNO) != IDYES) {
        return 0;
    }
    std::string from = AbsoluteFolder(defaultFolder);
    std::string to = AbsoluteFolder(dataFolder);
    if (from.empty() || to.empty()) {
        return 0;
    }
    // Something named "data" that is not a folder belongs to the user: the copy fails on it, and
    // it must not be removed afterwards.
    bool existedBefore = GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (ShellOperation(hWndOwner, FO_COPY, from, to)) {
        return 1;
    }
    if (!existedBefore && GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ShellOperation(hWndOwner, FO_DELETE, to, {});
    }
    return 0;
}
