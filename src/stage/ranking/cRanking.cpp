#include "stage/ranking/cRanking.h"

#include <cstdlib>

#include "core/Paths.h"
#include "core/RecordList.h"
#include "core/TextHelpers.h"
#include "core/UserFiles.h"

cRanking Ranking;

namespace {

// The folders of the play kinds in the path table.
constexpr int kRankingFolderPath = 38;
constexpr int kRankingPlayKinds = 3;

constexpr int kHigherBetter[RANKING_KIND_COUNT] = {1, 1, 0, 1, 1};

// The last file version without the orders of tables 3 and 4.
constexpr int kLastVersionWithoutOrders = 180;

// "-" and the digits of |value|, at least nDigits of them.
std::string Part(int value, int nDigits)
{
    std::string text;
    FormatString(text, "%0*d", nDigits, std::abs(value));
    return value < 0 ? "-" + text : text;
}

}  // namespace

int RankingHigherBetter(int nKind)
{
    return nKind >= 0 && nKind < RANKING_KIND_COUNT ? kHigherBetter[nKind] : 0;
}

cRanking::cRanking()
{
    RegisterMembers(nDataVersion);
    Reset();
}

void cRanking::RegisterMembers(int)
{
    ClearMemberList();
}

int cRanking::Load(FILE* fp)
{
    const int ok = cDataRecord::Load(fp) && LoadRecordList(fp, m_Tables) ? 1 : 0;
    if (nFileVersion <= kLastVersionWithoutOrders) {
        // Old files had three tables and no orders for tables 3 and 4.
        m_Tables.resize(RANKING_KIND_COUNT);
        m_Tables[RANKING_HP_LEFT].bHigherBetter = 1;
        m_Tables[RANKING_SP_LEFT].bHigherBetter = 1;
    } else {
        // Newer files are taken as stored (more tables or places than are used stay, and are
        // written back); only the tables the game fills and draws are made up when missing.
        AddMissingTables();
    }
    return ok;
}

int cRanking::Save(FILE* fp)
{
    int ok = cDataRecord::Save(fp);
    return SaveRecordList(fp, m_Tables) && ok;
}

void cRanking::Reset()
{
    m_Tables.clear();
    AddMissingTables();
}

void cRanking::AddMissingTables()
{
    for (int i = static_cast<int>(m_Tables.size()); i < RANKING_KIND_COUNT; ++i) {
        m_Tables.push_back(cRankingTable());
        m_Tables[i].bHigherBetter = kHigherBetter[i];
    }
}

int cRanking::LoadFile(int nPlayKind, const char* szStageName)
{
    std::string path;
    // A damaged ranking file is set aside, and the ranking starts empty.
    if (MakeRankingPath(path, nPlayKind, szStageName) && ReadUserFile(*this, path.c_str()) == UserFileRead::kRead) {
        return 1;
    }
    Reset();
    return 0;
}

int cRanking::SaveFile(int nPlayKind, const char* szStageName)
{
    std::string path;
    if (!MakeRankingPath(path, nPlayKind, szStageName)) {
        return 0;
    }
    return cDataRecord::SaveFile(path.c_str());
}

int MakeRankingPath(std::string& out, int nPlayKind, const char* szStageName)
{
    if (nPlayKind < 0 || nPlayKind >= kRankingPlayKinds) {
        return 0;
    }
    std::string name = szStageName != nullptr ? szStageName : "";
    ToGameSeparators(name);
    StripDirectory(name.data());
    ResyncStr(name);
    out = PathTable[kRankingFolderPath + nPlayKind] + name + ExtTable[3];
    return 1;
}

std::string RankingStageName(const std::string& stageFile)
{
    std::string name = stageFile;
    ToGameSeparators(name);
    if (name.size() >= MAX_PATH) {
        return name;
    }
    char own[MAX_PATH];
    ChangeExtension(own, name.c_str(), ExtTable[1].c_str());
    return own;
}

void TimeToStr(std::string& out, int nHundredths)
{
    const int minutes = nHundredths / 100 / 60;
    const int seconds = nHundredths / 100 % 60;
    const int hundredths = nHundredths % 100;
    out = Part(minutes, 2) + ":" + Part(seconds, 2) + "." + Part(hundredths, 2);
}
