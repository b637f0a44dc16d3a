// fuzz-links: qb_stage
// Fuzz target: any bytes given as a ranking file are read or found damaged as the player reads
// the user's own files: never a bad index that would close the program (a damaged file is set
// aside and the ranking starts empty), and either way five tables of twenty places each, as the
// ranking panels index them. A file that is read is saved and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzFile.h"
#include "core/CheckedAccess.h"
#include "core/FileReadScope.h"
#include "core/UserFiles.h"
#include "stage/ranking/cRanking.h"

namespace {

void CheckShape(const cRanking& ranking)
{
    if (ranking.m_Tables.size() != RANKING_KIND_COUNT) {
        std::abort();
    }
    for (const cRankingTable& table : ranking.m_Tables) {
        if (table.m_Entries.size() != cRankingTable::kEntryCount) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile input(".stg4rkg");
    static const FuzzFile output(".out.stg4rkg");
    if (!input.Write(data, size)) {
        return 0;
    }
    nDataVersion = kCurrentDataVersion;
    FileReadScope outer;  // any bad index that escaped the reader would count here
    cRanking ranking;
    if (ReadUserFile(ranking, input.game.c_str()) != UserFileRead::kRead) {
        ranking.Reset();
    }
    CheckShape(ranking);
    if (outer.BadIndexCount() != 0) {
        std::abort();
    }
    cRanking again;
    if (ranking.cDataRecord::SaveFile(output.game.c_str()) == 1 &&
        ReadUserFile(again, output.game.c_str()) != UserFileRead::kRead) {
        std::abort();
    }
    return 0;
}
