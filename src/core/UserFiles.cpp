#include "core/UserFiles.h"

#include <string>

#include "core/CheckedAccess.h"
#include "core/FileReadScope.h"
#include "core/ReportLog.h"
#include "platform/win/Files.h"

UserFileRead ReadUserFile(cDataRecord& record, const char* szPath, DamagedFile keep)
{
    if (szPath == nullptr || GetFileAttributesA(szPath) == INVALID_FILE_ATTRIBUTES) {
        return UserFileRead::kAbsent;
    }
    int loaded = 0;
    int badIndexes = 0;
    {
        FileReadScope scope;
        loaded = record.LoadFile(szPath);
        badIndexes = scope.BadIndexCount();
    }
    if (loaded != 0 && badIndexes == 0) {
        return UserFileRead::kRead;
    }
    ReportLog("User file damaged : %s", szPath);
    if (keep == DamagedFile::kSetAside) {
        SetDamagedFileAside(szPath);
    }
    return UserFileRead::kDamaged;
}

bool SetDamagedFileAside(const char* szPath)
{
    if (szPath == nullptr) {
        return false;
    }
    // Only a file is set aside: a folder in a file's place is not ours to move, and a save over it
    // must fail and say so.
    const DWORD attributes = GetFileAttributesA(szPath);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    const std::string aside = std::string(szPath) + ".damaged";
    if (!MoveFileReplaceA(szPath, aside.c_str())) {
        ReportLog("Could not set the damaged file aside : %s", szPath);
        return false;
    }
    ReportLog("Damaged file kept as : %s", aside.c_str());
    return true;
}
