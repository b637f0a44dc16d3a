// The save data's files: the 99 story slots, the challenge record and the slot list.
#include "core/CheckedAccess.h"
#include "core/Paths.h"
#include "core/RecordFile.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "core/UserFiles.h"
#include "platform/win/Files.h"
#include "project/SaveSlotMarks.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"

namespace {

// Places of the slot prefix and the challenge record in the table of fixed paths.
constexpr int kStorySlotPathIndex = 41;
constexpr int kChallengePathIndex = 42;

// A slot file that cannot be read is moved aside before a save replaces it, so that what is left
// of it is not lost.
void KeepDamagedSlotAside(const char* szPath)
{
    if (GetFileAttributesA(szPath) == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    cSaveData scratch;
    ReadUserFile(scratch, szPath, DamagedFile::kSetAside);
}

}  // namespace

void SaveSlotFileName(std::string& out, int n)
{
    std::string number;
    IntToStr(number, n + 1, 2, 1, 0);
    FormatString(out, "%s%s.dat", PathTable[kStorySlotPathIndex].c_str(), number.c_str());
}

int cSaveData::SaveSlot(int n)
{
    if (n < 0 || n >= static_cast<int>(SaveSlotList.size())) {
        // A bad index of the slot list, reported as the checked access does; no file is written for
        // a slot that does not exist.
        ReportBadIndex('V', n, SaveSlotList.size(), sizeof(cSaveSlot));
        return 0;
    }
    std::string path;
    SaveSlotFileName(path, n);
    KeepDamagedSlotAside(path.c_str());
    const SAVETIME previous = stTime;
    GetSaveTime(stTime);
    if (!SaveFile(path.c_str())) {
        stTime = previous;
        ReportLog("Save failed : slot %d", n + 1);
        return 0;
    }
    SaveSlotList[n].Set(*this);
    return 1;
}

int cSaveData::LoadSlot(int n)
{
    std::string path;
    SaveSlotFileName(path, n);
    return LoadAndApplyLives(path.c_str(), kPlayStory);
}

int cSaveData::LoadChallenge()
{
    return LoadAndApplyLives(PathTable[kChallengePathIndex].c_str(), kPlayChallenge);
}

int cSaveData::LoadAndApplyLives(const char* szPath, int nPlayKind)
{
    // Members that an older file lacks keep their values, as when reading in place. A damaged
    // story slot stays where it is (the slot list shows it as unreadable until a save replaces
    // it); a damaged challenge record is set aside, and the challenge starts afresh.
    const DamagedFile keep = nPlayKind == kPlayStory ? DamagedFile::kLeave : DamagedFile::kSetAside;
    cSaveData loaded(*this);
    if (ReadUserFile(loaded, szPath, keep) != UserFileRead::kRead) {
        return 0;
    }
    *this = loaded;
    ApplyLivesRule(nPlayKind);
    return 1;
}

void cSaveData::StartLivesOf(int nPlayKind)
{
    const auto entry = [nPlayKind](const cVector<std::int32_t>& table) {
        return nPlayKind >= 0 && static_cast<std::size_t>(nPlayKind) < table.size() ? table.data()[nPlayKind] : 0;
    };
    if (entry(SystemData.UnlimitedLivesTable) != 0) {
        nStartLives = kUnlimitedLives;
        nLives = kUnlimitedLives;
    } else {
        nStartLives = entry(SystemData.LivesTable);
        nLives = nStartLives - 1;
    }
}

void cSaveData::ApplyLivesRule(int nPlayKind)
{
    if (SystemData.UnlimitedLivesTable[nPlayKind] != 0) {
        nStartLives = kUnlimitedLives;
        nLives = kUnlimitedLives;
    } else if (nLives == kUnlimitedLives) {
        nLives = SystemData.LivesTable[nPlayKind];
    }
}

void MakeSaveSlotList(cVector<cSaveSlot>& list)
{
    for (int n = 0; n < static_cast<int>(list.size()); ++n) {
        std::string path;
        SaveSlotFileName(path, n);
        cSaveSlot& slot = list[n];
        slot.bExist = 0;
        cSaveData data;
        switch (ReadUserFile(data, path.c_str(), DamagedFile::kLeave)) {
        case UserFileRead::kRead: slot.Set(data); break;
        case UserFileRead::kDamaged: slot.bExist = kSlotUnreadable; break;
        case UserFileRead::kAbsent: break;
        }
    }
}
