#include "project/cWorldMap.h"

#include <algorithm>

#include "core/RecordList.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "project/SettingsLists.h"

cWorldMap WorldMap;

namespace {

// The default grid of a new project, and the size a refused file leaves behind.
constexpr int kDefaultWidth = 20;
constexpr int kDefaultHeight = 15;

// log2 of the row pitch for a width w >= 1: the number of halvings that bring w - 1 to 0.
int PitchShift(std::int32_t w)
{
    int shift = 0;
    for (auto v = static_cast<std::uint32_t>(w - 1); v != 0; v >>= 1) {
        ++shift;
    }
    return shift;
}

// A grid of w x h cells that the map can hold: both 1 or more, pitch x h within kMaxCells.
bool UsableGrid(std::int32_t w, std::int32_t h)
{
    return w >= 1 && h >= 1 && (std::int64_t{1} << PitchShift(w)) * h <= cWorldMap::kMaxCells;
}

// A position no lower than -kMaxCells: every position below that is as far off any map, and the
// world-map screen's cell and pixel arithmetic on such positions stays within the int range.
std::int32_t KeptNegative(std::int32_t n)
{
    return static_cast<std::int32_t>(std::max<std::int64_t>(n, -cWorldMap::kMaxCells));
}

}  // namespace

cWorldMap::cWorldMap()
{
    RegisterMembers(nDataVersion);
    SetDefault();
}

void cWorldMap::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nWidth, 1);
    AddDwordMember(&nHeight, 1);
    AddDwordMember(&nPitch, 1);
    AddDwordMember(&nPitch_Shift, 1);
    AddDwordMember(&nStartX, 1);
    AddDwordMember(&nStartY, 1);
    AddDwordMember(&nBackColor, 1);
    AddDwordMember(&bBackBitmap, 1);
    AddStrMember(&strName, 1);
    AddStrMember(&strBackBitmap, 1);
}

int cWorldMap::Load(FILE* fp)
{
    int ok = cDataRecord::Load(fp) && LoadRecordList(fp, Chip) && LoadValueList(fp, Cell) && LoadRecordList(fp, Node) &&
             LoadRecordList(fp, NodeTemplate);
    ok = FitGrid() && ok;
    Validate();
    return ok;
}

int cWorldMap::Save(FILE* fp)
{
    Validate();
    int ok = cDataRecord::Save(fp);
    ok = SaveRecordList(fp, Chip) && ok;
    ok = SaveValueList(fp, Cell) && ok;
    ok = SaveRecordList(fp, Node) && ok;
    ok = SaveRecordList(fp, NodeTemplate) && ok;
    return ok;
}

void cWorldMap::SetDefault()
{
    static const std::string kWorldName = Sjis("ワールド");
    static const std::string kBlocked = Sjis("通行不可");
    static const std::string kPassable = Sjis("通行可");
    static const std::string kTemplateName = Sjis("デフォルト");

    Clear();
    strName = kWorldName;
    nStartX = 9;
    nStartY = 7;
    nBackColor = 16;
    bBackBitmap = 0;
    Chip.Reset(10);
    for (int i = 0; i < 10; ++i) {
        Chip[i].nImage = i;
        Chip[i].bBlock = i < 5 ? 1 : 0;
        Chip[i].strName = i < 5 ? kBlocked : kPassable;
    }
    Cell.clear();
    SetSize(kDefaultWidth, kDefaultHeight);
    Node.clear();
    NodeTemplate.Reset(1);
    NodeTemplate[0].strName = kTemplateName;
}

int cWorldMap::SetSize(int nW, int nH)
{
    if (nW == 0 || nH == 0) {
        static const std::string kZeroSize = Sjis("SetSize()で 0 を指定しました！");
        ECLog(kZeroSize.c_str());
        return 0;
    }
    if (!UsableGrid(nW, nH)) {
        ECLogF("SetSize(%d, %d) : size not usable", nW, nH);
        return 0;
    }
    cVector<std::int32_t> oldCell;
    const int oldWidth = nWidth;
    const int oldHeight = nHeight;
    const int oldShift = nPitch_Shift;
    if (!Cell.empty()) {
        ECLogF("nBeforeWidth = %d,nBeforePitch = %d,nBeforePitch_Shift = %d", nWidth, nPitch, nPitch_Shift);
        oldCell.swap(Cell);
    }
    nWidth = nW;
    nHeight = nH;
    nPitch_Shift = PitchShift(nW);
    nPitch = 1 << nPitch_Shift;
    Cell.assign(static_cast<std::size_t>(nPitch) * static_cast<std::size_t>(nHeight), 0);
    if (!oldCell.empty()) {
        for (int y = 0; y < std::min(oldHeight, nHeight); ++y) {
            for (int x = 0; x < std::min(oldWidth, nWidth); ++x) {
                Cell[(y << nPitch_Shift) + x] = oldCell[(y << oldShift) + x];
            }
        }
    }
    return 1;
}

int cWorldMap::FitGrid()
{
    if (!UsableGrid(nWidth, nHeight)) {
        Cell.clear();
        SetSize(kDefaultWidth, kDefaultHeight);
        return 0;
    }
    nPitch_Shift = PitchShift(nWidth);
    nPitch = 1 << nPitch_Shift;
    Cell.resize(static_cast<std::size_t>(nPitch) * static_cast<std::size_t>(nHeight), 0);
    return 1;
}

void cWorldMap::Validate()
{
    // Upper bounds only: a start cell or a node at a negative cell stays where the file put it,
    // off the map (a node there is never reached by walking). Readers of cells check the indices.
    nStartX = KeptNegative(std::min(nStartX, nWidth - 1));
    nStartY = KeptNegative(std::min(nStartY, nHeight - 1));
    for (std::size_t i = 0; i < Node.size();) {
        cWorldNode& node = Node[static_cast<int>(i)];
        if (node.nX >= nWidth || node.nY >= nHeight) {
            Node.erase(Node.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        node.nX = KeptNegative(node.nX);
        node.nY = KeptNegative(node.nY);
        ++i;
    }
}

cWorldNode* cWorldMap::FindNode(int x, int y)
{
    for (cWorldNode& node : Node) {
        if (node.nX == x && node.nY == y) {
            return &node;
        }
    }
    return nullptr;
}

const cWorldNode* cWorldMap::FindNode(int x, int y) const
{
    return const_cast<cWorldMap*>(this)->FindNode(x, y);
}

bool cWorldMap::HasStageKey(const std::string& key) const
{
    for (const cWorldNode& node : Node) {
        for (const cWorldStage& entry : node.Entry) {
            if (entry.nKind == cWorldStage::kKindStage && entry.StageKey() == key) {
                return true;
            }
        }
    }
    return false;
}
