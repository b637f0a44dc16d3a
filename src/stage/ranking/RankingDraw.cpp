// The ranking window of one table and the result panel of a finished stage, drawn with the
// 16-pixel font over a window box.
#include "stage/ranking/RankingDraw.h"

#include <string>

#include "core/TextHelpers.h"
#include "definitions/cEdStage.h"
#include "graphics/Blit.h"
#include "graphics/FontTable.h"
#include "graphics/SurfaceCatalogue.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cScene.h"
#include "stage/StageShellFlags.h"
#include "stage/ranking/cRanking.h"

namespace {

constexpr int kSlotAccessory = 49;  // "bmp\Accessory.bmp"
constexpr int kMarkX = 16;
constexpr int kMarkY = 48;
constexpr int kRow = 16;
constexpr int kWindowWidth = 270;
constexpr int kWindowHeight = 350;
constexpr int TEXT_GENRE_FIRST = 5;
constexpr int TEXT_GENRE_HINT = 24;
constexpr int kTimeDigits = 8;  // "mm:ss.hh"

const std::string& Text(int n)
{
    static const std::string kEmpty;
    return n >= 0 && n < static_cast<int>(SystemData.TextTable.size()) ? SystemData.TextTable[n] : kEmpty;
}

// Font16 with the project's lower-case letters switched off while fn draws (the English title
// and the names are drawn with the face's own letters).
template <class Fn>
void WithoutAlphabet(Fn fn)
{
    Font& font = FontTable[Font16];
    const bool bOn = SystemData.bFontAlphabet != 0;
    if (bOn) font.SetAlphabet(0);
    fn(font);
    if (bOn) font.SetAlphabet(1);
}

void DrawMark(DDSURFACEDATA* target, int x, int y)
{
    DDBlt(target, x, y, 16, 16, &SDTable[kSlotAccessory], kMarkX, kMarkY, 1);
}

// The results shown in the panel, by genre.
bool ResultShown(int k)
{
    const bool bStage = k < static_cast<int>(Stage.m_Ranking.size()) && Stage.m_Ranking[k] != 0;
    if (!bStage) return false;
    if (StageShell.bDirectPlay) return true;
    const int nKind = SceneFlow().m_nPlayKind;
    if (nKind < 0 || nKind >= static_cast<int>(SystemData.RankingRows.size())) return false;
    const cRankingRow& row = SystemData.RankingRows[nKind];
    return k < static_cast<int>(row.GenreFlags.size()) && row.GenreFlags[k] != 0;
}

int ResultValue(int k)
{
    switch (k) {
    case RANKING_SCORE: return SaveData.nRunScore;
    case RANKING_TIME_LEFT: return SaveData.nRunValue1;
    case RANKING_CLEAR_TIME: return SaveData.nRunValue2;
    case RANKING_HP_LEFT: return SaveData.nRunValue3;
    default: return SaveData.nRunValue4;
    }
}

}  // namespace

int RankingValueWidth(const cRankingTable& table, int nTable)
{
    if (nTable == RANKING_CLEAR_TIME) return kTimeDigits;
    return table.m_Entries.empty() ? 1 : CountDigits(table.m_Entries[0].nValue);
}

int RankingValueX(int x, int nWidth, int nValue)
{
    return x + 16 * (nWidth - CountDigits(nValue) + 9);
}

void cRankingTable::Draw(DDSURFACEDATA* target, int x, int y, int nTable, int nHighlight) const
{
    const cRankingTable& table = *this;
    FontTable[Font16].DrawWindow(target, x + 1, y + 1, kWindowWidth, kWindowHeight);
    const std::string& label = Text(TEXT_GENRE_FIRST + nTable);
    if (StageShell.bEnglish) {
        WithoutAlphabet([&](Font& font) { font.Printf(target, x, y, "Ranking     %s", label.c_str()); });
    } else {
        static const std::string kTitle = Sjis("ランキング    %s");
        FontTable[Font16].Printf(target, x, y, kTitle.c_str(), label.c_str());
    }
    const int nWidth = RankingValueWidth(table, nTable);
    const int nEntries = static_cast<int>(table.m_Entries.size());
    for (int i = 0; i < nEntries; ++i) {
        const cRankingEntry& entry = table.m_Entries[i];
        if (!entry.bValid) continue;
        const int row = y + kRow * (i + 1);
        Font& font = FontTable[Font16];
        font.Printf(target, x + 16, row, "%d", i + 1);
        WithoutAlphabet([&](Font& f) { f.Printf(target, x + 64, row, "%s", entry.strName.c_str()); });
        if (nTable == RANKING_CLEAR_TIME) {
            std::string time;
            TimeToStr(time, entry.nValue);
            font.Printf(target, x + 144, row, "%s", time.c_str());
        } else {
            font.Printf(target, RankingValueX(x, nWidth, entry.nValue), row, "%d", entry.nValue);
        }
    }
    if (SystemData.CountMenuItem(SceneFlow().m_nPlayKind) > 1) {
        const std::string& hint = Text(TEXT_GENRE_HINT);
        FontTable[Font16].Printf(target, x + 136 - 8 * CountChars(hint.c_str()), y + kRow * nEntries + kRow, "%s",
                                 hint.c_str());
    }
    if (nHighlight != -1) {
        DrawMark(target, x, y + kRow * nHighlight + kRow);
    }
}

void cRanking::Draw(DDSURFACEDATA* target, int x, int y, int nTable, int nHighlight) const
{
    m_Tables[nTable].Draw(target, x, y, nTable, nHighlight);
}

RESULTPANEL ResultPanelLayout()
{
    RESULTPANEL panel;
    int nLabel = 1;
    int nDigits = 1;
    for (int k = 0; k < RANKING_KIND_COUNT; ++k) {
        if (!ResultShown(k)) continue;
        panel.shown.push_back(k);
        const int chars = CountChars(Text(TEXT_GENRE_FIRST + k).c_str());
        nLabel = chars > nLabel ? chars : nLabel;
        const int digits = k == RANKING_CLEAR_TIME ? kTimeDigits : CountDigits(ResultValue(k));
        nDigits = digits > nDigits ? digits : nDigits;
    }
    panel.nLabelChars = nLabel;
    panel.nWidth = (nDigits + nLabel + 3) * 16;
    panel.nHeight = 16 * static_cast<int>(panel.shown.size());
    return panel;
}

void DrawResult(DDSURFACEDATA* target, int x, int y, const std::vector<int>& ranks)
{
    const RESULTPANEL panel = ResultPanelLayout();
    if (panel.shown.empty()) return;
    Font& font = FontTable[Font16];
    font.DrawWindow(target, x, y, panel.nWidth, panel.nHeight);
    int line = y;
    for (int k : panel.shown) {
        font.Printf(target, x + 16, line, "%s", Text(TEXT_GENRE_FIRST + k).c_str());
        const int vx = x + 32 + 16 * panel.nLabelChars;
        if (k == RANKING_CLEAR_TIME) {
            std::string time;
            TimeToStr(time, ResultValue(k));
            font.Printf(target, vx, line, "%s", time.c_str());
        } else {
            font.Printf(target, vx, line, "%d", ResultValue(k));
        }
        line += kRow;
    }
    int markY = y;
    for (int rank : ranks) {
        if (rank == -1) continue;
        DrawMark(target, x, markY);
        markY += kRow;
    }
}
