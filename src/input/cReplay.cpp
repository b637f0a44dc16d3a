#include "input/cReplay.h"

#include <limits>
#include <memory>

#include "core/CheckedAccess.h"
#include "core/FileReadScope.h"
#include "core/RecordFile.h"
#include "core/ReportLog.h"
#include "definitions/LoadStage.h"
#include "definitions/StageBounds.h"
#include "project/SettingsLists.h"

cReplay Replay;
cReplay ReplayPrev;

namespace {

// Files up to this version hold no save-data snapshot.
constexpr int kLastVersionWithoutSnapshot = 172;

// Closes a file of OpenDatLoad or OpenDatSave when it goes out of scope.
struct DatCloser {
    void operator()(FILE* fp) const { CloseDat(fp); }
};
using DatFile = std::unique_ptr<FILE, DatCloser>;

// Appends one frame of word to a stream.
void RecordWord(cVector<std::int16_t>& values, cVector<std::int32_t>& runs, std::int16_t word)
{
    if (!values.empty() && !runs.empty() && values.back() == word &&
        runs.back() < std::numeric_limits<std::int32_t>::max()) {
        ++runs.back();
        return;
    }
    values.push_back(word);
    runs.push_back(1);
}

// The current word of a stream; advances it by one frame.
std::int16_t PlayWord(const cVector<std::int16_t>& values, const cVector<std::int32_t>& runs, std::int32_t& index,
                      std::int32_t& runPos)
{
    const std::int16_t word = values[index];
    if (++runPos >= runs[index]) {
        runPos = 0;
        ++index;
    }
    return word;
}

}  // namespace

cReplay::cReplay()
{
    RegisterMembers(nDataVersion);
}

cReplay& cReplay::operator=(const cReplay& source)
{
    if (&source == this) {
        return *this;
    }
    cDataRecord::operator=(source);
    dirValues = source.dirValues;
    buttonValues = source.buttonValues;
    dirRuns = source.dirRuns;
    buttonRuns = source.buttonRuns;
    nSeed = source.nSeed;
    return *this;
}

void cReplay::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nSeed, 1);
}

int cReplay::Load(FILE* fp)
{
    const bool read = cDataRecord::Load(fp) && LoadValueList(fp, dirValues) && LoadValueList(fp, buttonValues) &&
                      LoadValueList(fp, dirRuns) && LoadValueList(fp, buttonRuns);
    return read && StreamsSound() ? 1 : 0;
}

int cReplay::Save(FILE* fp)
{
    int ok = cDataRecord::Save(fp);
    ok = SaveValueList(fp, dirValues) && ok;
    ok = SaveValueList(fp, buttonValues) && ok;
    ok = SaveValueList(fp, dirRuns) && ok;
    return SaveValueList(fp, buttonRuns) && ok;
}

void cReplay::Clear()
{
    cDataRecord::Clear();
    dirValues.clear();
    buttonValues.clear();
    dirRuns.clear();
    buttonRuns.clear();
    Rewind();
}

void cReplay::Rewind()
{
    nDirIndex = 0;
    nButtonIndex = 0;
    nDirRunPos = 0;
    nButtonRunPos = 0;
}

void cReplay::Record(std::int16_t wDir, std::int16_t wButton)
{
    RecordWord(dirValues, dirRuns, wDir);
    RecordWord(buttonValues, buttonRuns, wButton);
}

int cReplay::Play(std::int16_t& wDir, std::int16_t& wButton)
{
    if (nDirIndex < 0 || nButtonIndex < 0 || nDirIndex >= static_cast<int>(dirValues.size()) ||
        nButtonIndex >= static_cast<int>(buttonValues.size())) {
        return 1;
    }
    wDir = PlayWord(dirValues, dirRuns, nDirIndex, nDirRunPos);
    wButton = PlayWord(buttonValues, buttonRuns, nButtonIndex, nButtonRunPos);
    return 0;
}

bool cReplay::StreamsSound() const
{
    if (dirRuns.size() != dirValues.size() || buttonRuns.size() != buttonValues.size()) {
        return false;
    }
    for (const cVector<std::int32_t>* runs : {&dirRuns, &buttonRuns}) {
        for (std::int32_t run : *runs) {
            if (run < 1) {
                return false;
            }
        }
    }
    return true;
}

int cReplay::SaveFile(const char* szPath, cEdStage& stage, cEdStage& startStage, cSaveData& snapshot)
{
    FILE* fp = OpenDatSave(szPath);
    if (fp == nullptr) {
        ReportLog("Replay save failed : %s", szPath != nullptr ? szPath : "");
        return 0;
    }
    int ok = stage.SaveForReplay(fp, startStage);
    ok = Save(fp) && ok;
    ok = snapshot.Save(fp) && ok;
    if (!ok) {
        // Every write is checked: a file that missed one must not replace the old one.
        AbandonDat(fp);
        return 0;
    }
    return CloseDat(fp);
}

int cReplay::LoadFile(const char* szPath, cEdStage* secondStage, cSaveData& saveData)
{
    DatFile file(OpenDatLoad(szPath));
    if (!file) {
        return 0;
    }
    const int version = nFileVersion;
    // Each part is read into a record of its own; nothing live changes until all of them read.
    auto stage = std::make_unique<cEdStage>();
    cReplay record;
    auto snapshot = std::make_unique<cSaveData>(saveData);
    // A replay is the user's file: damaged data refuse it and never close the program.
    FileReadScope scope;
    const bool read = stage->Load(file.get()) && stage->HasHero() &&
                      IsPlayableStageSize(stage->m_nWidth, stage->m_nHeight) && record.Load(file.get()) &&
                      (version <= kLastVersionWithoutSnapshot || snapshot->Load(file.get()));
    file.reset();
    if (!read || scope.BadIndexCount() > 0) {
        ReportLog("Replay file refused : %s", szPath);
        return 0;
    }
    AdoptStage(*stage, szPath, 0, secondStage);
    *this = record;
    if (version > kLastVersionWithoutSnapshot) {
        saveData = *snapshot;
    }
    return 1;
}
