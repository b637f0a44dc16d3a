// The world map: the default world, the grid geometry of SetSize and of a loaded file (pitch and
// shift from the width, the cell vector sized to pitch x height), the position checks of
// Validate, node lookup, stage keys, old versions and malformed files.
#include "project/cWorldMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "SaveDataTestSupport.h"
#include "core/TextHelpers.h"

namespace {

using testsupport::ByteWriter;
using testsupport::WorldMapSpec;
using testsupport::WorldNodeSpec;
using testsupport::WorldStageSpec;

class cWorldMapTest : public projecttest::SaveDataTest {
protected:
    // Writes spec as "data\WorldMap.dat" in the layout of version and loads it into map.
    int LoadSpec(cWorldMap& map, const WorldMapSpec& spec, int version = testsupport::kWorldMapVersion)
    {
        return LoadFileBytes(map, testsupport::WorldMapFile(spec, version));
    }
    int LoadFileBytes(cWorldMap& map, const ByteWriter& bytes)
    {
        folder.Write("data\\WorldMap.dat", bytes.Data());
        return map.LoadFile("data\\WorldMap.dat");
    }
    // The bytes of spec's file at 720, as the writer builds them.
    static std::string Expected(const WorldMapSpec& spec)
    {
        const ByteWriter bytes = testsupport::WorldMapFile(spec);
        return std::string(bytes.Data().begin(), bytes.Data().end());
    }
};

// Every cell (x, y) of the map's current grid.
int CellAt(const cWorldMap& map, int x, int y)
{
    return map.Cell[(y << map.nPitch_Shift) + x];
}

WorldNodeSpec Node(int x, int y, const std::string& name, std::vector<WorldStageSpec> entries = {WorldStageSpec{}})
{
    WorldNodeSpec node;
    node.x = x;
    node.y = y;
    node.name = name;
    node.entries = std::move(entries);
    return node;
}

WorldStageSpec Entry(int kind, const std::string& file)
{
    WorldStageSpec entry;
    entry.kind = kind;
    entry.file = file;
    return entry;
}

TEST_F(cWorldMapTest, NewProjectHasTheDefaultWorld)
{
    const cWorldMap map;
    EXPECT_EQ(map.strName, Sjis("ワールド"));
    EXPECT_EQ(map.nStartX, 9);
    EXPECT_EQ(map.nStartY, 7);
    EXPECT_EQ(map.nBackColor, 16);
    EXPECT_EQ(map.bBackBitmap, 0);
    ASSERT_EQ(map.Chip.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(map.Chip[i].nImage, i);
        EXPECT_EQ(map.Chip[i].bBlock, i < 5 ? 1 : 0) << i;
        EXPECT_EQ(map.Chip[i].strName, Sjis(i < 5 ? "通行不可" : "通行可")) << i;
    }
    EXPECT_EQ(map.nWidth, 20);
    EXPECT_EQ(map.nHeight, 15);
    EXPECT_EQ(map.nPitch, 32);
    EXPECT_EQ(map.nPitch_Shift, 5);
    EXPECT_EQ(map.Cell, cVector<std::int32_t>(480, 0));
    EXPECT_TRUE(map.Node.empty());
    ASSERT_EQ(map.NodeTemplate.size(), 1u);
    EXPECT_EQ(map.NodeTemplate[0].strName, Sjis("デフォルト"));
    EXPECT_EQ(map.NodeTemplate[0].Entry.size(), 1u);
}

struct ResizeCase {
    int width, height;
    int pitch, shift;
};

class cWorldMapResizeTest : public cWorldMapTest, public ::testing::WithParamInterface<ResizeCase> {};

// From the default 20 x 15 grid with distinct cells: the new pitch, and the block inside both
// grids kept at the same (x, y) with new cells 0.
TEST_P(cWorldMapResizeTest, SetSizeKeepsTheCommonBlock)
{
    const ResizeCase c = GetParam();
    cWorldMap map;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 20; ++x) {
            map.Cell[(y << 5) + x] = 100 * y + x + 1;
        }
    }
    ASSERT_EQ(map.SetSize(c.width, c.height), 1);
    EXPECT_EQ(map.nWidth, c.width);
    EXPECT_EQ(map.nHeight, c.height);
    EXPECT_EQ(map.nPitch, c.pitch);
    EXPECT_EQ(map.nPitch_Shift, c.shift);
    ASSERT_EQ(map.Cell.size(), static_cast<std::size_t>(c.pitch * c.height));
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            EXPECT_EQ(CellAt(map, x, y), x < 20 && y < 15 ? 100 * y + x + 1 : 0) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, cWorldMapResizeTest,
                         ::testing::Values(ResizeCase{20, 15, 32, 5}, ResizeCase{40, 15, 64, 6},
                                           ResizeCase{10, 10, 16, 4}, ResizeCase{1, 1, 1, 0}, ResizeCase{32, 2, 32, 5},
                                           ResizeCase{33, 20, 64, 6}));

TEST_F(cWorldMapTest, SetSizeRefusesAZeroSize)
{
    cWorldMap map;
    map.Cell[3] = 7;
    EXPECT_EQ(map.SetSize(0, 15), 0);
    EXPECT_EQ(map.SetSize(20, 0), 0);
    EXPECT_EQ(map.nWidth, 20);
    EXPECT_EQ(map.nPitch, 32);
    EXPECT_EQ(map.Cell.size(), 480u);
    EXPECT_EQ(map.Cell[3], 7);
}

// A map in which every stored value differs from the defaults.
WorldMapSpec DistinctMap()
{
    WorldMapSpec spec;
    spec.width = 5;
    spec.height = 3;
    spec.pitch = 8;
    spec.pitchShift = 3;
    spec.startX = 4;
    spec.startY = 2;
    spec.backColor = 33;
    spec.backBitmap = 1;
    spec.name = Sjis("世界");
    spec.backBitmapName = "bmp\\Back.bmp";
    spec.chips = {{7, 1, 3, "memo", "rock"}, {8, 0, 12, "", Sjis("草")}};
    spec.cells.assign(24, 0);
    for (int i = 0; i < 24; ++i) {
        spec.cells[i] = i % 2;
    }
    WorldStageSpec first{0, 2, 11, 1, 1, 1, 4, 9, 30, 6, 500, Sjis("最初"), "stg\\W01-1.stg4"};
    WorldStageSpec second{2, 3, 12, 0, 0, 2, 0, 0, 0, 0, 0, "wall", ""};
    spec.nodes = {Node(1, 2, "start", {first, second}), Node(4, 0, "end")};
    spec.nodeTemplates = {Node(0, 0, "template")};
    return spec;
}

TEST_F(cWorldMapTest, ReadsEveryStoredValueAndSavesTheSameBytes)
{
    const WorldMapSpec spec = DistinctMap();
    cWorldMap map;
    ASSERT_EQ(LoadSpec(map, spec), 1);

    EXPECT_EQ(map.nWidth, 5);
    EXPECT_EQ(map.nHeight, 3);
    EXPECT_EQ(map.nStartX, 4);
    EXPECT_EQ(map.nStartY, 2);
    EXPECT_EQ(map.nBackColor, 33);
    EXPECT_EQ(map.bBackBitmap, 1);
    EXPECT_EQ(map.strName, Sjis("世界"));
    EXPECT_EQ(map.strBackBitmap, "bmp\\Back.bmp");
    ASSERT_EQ(map.Chip.size(), 2u);
    EXPECT_EQ(map.Chip[0].nChipValue, 7);
    EXPECT_EQ(map.Chip[0].bBlock, 1);
    EXPECT_EQ(map.Chip[0].nImage, 3);
    EXPECT_EQ(map.Chip[0].strMemo, "memo");
    EXPECT_EQ(map.Chip[0].strName, "rock");
    EXPECT_EQ(map.Chip[1].strName, Sjis("草"));
    EXPECT_EQ(CellAt(map, 1, 0), 1);
    EXPECT_EQ(CellAt(map, 0, 1), 0);
    ASSERT_EQ(map.Node.size(), 2u);
    EXPECT_EQ(map.Node[0].nX, 1);
    EXPECT_EQ(map.Node[0].nY, 2);
    EXPECT_EQ(map.Node[0].strName, "start");
    ASSERT_EQ(map.Node[0].Entry.size(), 2u);
    const cWorldStage& e = map.Node[0].Entry[0];
    EXPECT_EQ(std::vector<int>({e.nKind, e.nIcon, e.nStageNo, e.bPassable, e.bReplay, e.nAfterClear, e.nNeedStage,
                                e.nCondVar, e.nCondValue, e.nCondOp, e.nNeedScore}),
              std::vector<int>({0, 2, 11, 1, 1, 1, 4, 9, 30, 6, 500}));
    EXPECT_EQ(e.strTitle, Sjis("最初"));
    EXPECT_EQ(e.strFile, "stg\\W01-1.stg4");
    EXPECT_EQ(map.Node[0].Entry[1].nKind, 2);
    EXPECT_EQ(map.Node[1].strName, "end");
    ASSERT_EQ(map.NodeTemplate.size(), 1u);
    EXPECT_EQ(map.NodeTemplate[0].strName, "template");

    EXPECT_EQ(SavedBytes(map), Expected(spec));
}

TEST_F(cWorldMapTest, Version208EntriesLoadWithoutNeededScore)
{
    WorldMapSpec spec = DistinctMap();
    spec.nodes[0].entries[0].needScore = 77;  // not stored at 208
    cWorldMap map;
    ASSERT_EQ(LoadSpec(map, spec, 208), 1);
    EXPECT_EQ(map.Node[0].Entry[0].nNeedScore, 0);
    EXPECT_EQ(map.Node[0].Entry[0].nCondOp, 6);
    EXPECT_EQ(map.Node[0].Entry[0].strFile, "stg\\W01-1.stg4");
    EXPECT_EQ(map.Node[1].strName, "end");
}

struct GeometryCase {
    const char* what;
    int width, height;
    int storedPitch, storedShift, storedCells;
    int pitch, shift;
};

class cWorldMapGeometryTest : public cWorldMapTest, public ::testing::WithParamInterface<GeometryCase> {};

// Whatever the file says about the pitch and however many cells it holds, the pitch comes from
// the width and the cell vector holds pitch x height cells; the stored cells fill it from the
// start and missing ones are 0.
TEST_P(cWorldMapGeometryTest, PitchFromWidthAndCellsSizedToTheGrid)
{
    const GeometryCase c = GetParam();
    WorldMapSpec spec;
    spec.width = c.width;
    spec.height = c.height;
    spec.pitch = c.storedPitch;
    spec.pitchShift = c.storedShift;
    spec.startX = 0;
    spec.startY = 0;
    spec.cells.clear();
    for (int i = 0; i < c.storedCells; ++i) {
        spec.cells.push_back(i + 1);
    }
    cWorldMap map;
    ASSERT_EQ(LoadSpec(map, spec), 1);
    EXPECT_EQ(map.nPitch, c.pitch);
    EXPECT_EQ(map.nPitch_Shift, c.shift);
    const int cells = c.pitch * c.height;
    ASSERT_EQ(map.Cell.size(), static_cast<std::size_t>(cells));
    for (int i = 0; i < cells; ++i) {
        EXPECT_EQ(map.Cell[i], i < c.storedCells ? i + 1 : 0) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, cWorldMapGeometryTest,
                         ::testing::Values(GeometryCase{"consistent", 20, 15, 32, 5, 480, 32, 5},
                                           GeometryCase{"pitch too small", 20, 15, 16, 4, 240, 32, 5},
                                           GeometryCase{"pitch too large", 20, 15, 64, 6, 960, 32, 5},
                                           GeometryCase{"no cells", 33, 2, 0, 0, 0, 64, 6},
                                           GeometryCase{"one cell", 1, 1, 8, 31, 8, 1, 0}),
                         [](const auto& info) {
                             std::string name = info.param.what;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST_F(cWorldMapTest, UnusableGridSizesAreRefused)
{
    for (auto [w, h] : {std::pair{0, 15}, std::pair{20, 0}, std::pair{-20, 15}, std::pair{20, -1},
                        std::pair{0x7FFFFFFF, 2}, std::pair{4096, 4096}}) {
        WorldMapSpec spec;
        spec.width = w;
        spec.height = h;
        cWorldMap map;
        EXPECT_EQ(LoadSpec(map, spec), 0) << w << " x " << h;
        EXPECT_GE(map.nWidth, 1);
        EXPECT_EQ(map.Cell.size(), static_cast<std::size_t>(map.nPitch) * static_cast<std::size_t>(map.nHeight));
        EXPECT_EQ(map.nPitch, 1 << map.nPitch_Shift);
    }
}

// Positions get upper bounds only: a start cell beyond the grid moves to its last column or row,
// a negative one stays; nodes beyond the grid are dropped, nodes at a negative column or row stay
// where they are, the others keep their order.
TEST_F(cWorldMapTest, LoadBoundsPositionsFromAboveOnly)
{
    struct StartCase {
        int x, y, expectedX, expectedY;
    };
    for (StartCase c :
         {StartCase{25, 3, 19, 3}, StartCase{5, 15, 5, 14}, StartCase{-3, -1, -3, -1}, StartCase{19, 14, 19, 14}}) {
        WorldMapSpec spec;
        spec.startX = c.x;
        spec.startY = c.y;
        cWorldMap map;
        ASSERT_EQ(LoadSpec(map, spec), 1);
        EXPECT_EQ(map.nStartX, c.expectedX) << c.x;
        EXPECT_EQ(map.nStartY, c.expectedY) << c.y;
    }

    WorldMapSpec spec;
    spec.nodes = {Node(25, 3, "beyond right"), Node(-1, 3, "left of the grid"),
                  Node(19, 14, "corner"),      Node(3, 15, "below"),
                  Node(2, -4, "above"),        Node(0, 0, "origin")};
    cWorldMap map;
    ASSERT_EQ(LoadSpec(map, spec), 1);
    ASSERT_EQ(map.Node.size(), 4u);
    EXPECT_EQ(map.Node[0].strName, "left of the grid");
    EXPECT_EQ(std::pair(map.Node[0].nX, map.Node[0].nY), std::pair(-1, 3));
    EXPECT_EQ(map.Node[1].strName, "corner");
    EXPECT_EQ(map.Node[2].strName, "above");
    EXPECT_EQ(std::pair(map.Node[2].nX, map.Node[2].nY), std::pair(2, -4));
    EXPECT_EQ(map.Node[3].strName, "origin");
    // Off the map, the start cell finds none of them.
    EXPECT_EQ(map.FindNode(9, 7), nullptr);

    // Any int is kept within reach of the screen's pixel arithmetic, still off the map.
    WorldMapSpec far;
    far.startX = INT_MIN;
    far.nodes = {Node(INT_MIN, 3, "far left")};
    ASSERT_EQ(LoadSpec(map, far), 1);
    EXPECT_EQ(map.nStartX, -cWorldMap::kMaxCells);
    ASSERT_EQ(map.Node.size(), 1u);
    EXPECT_EQ(map.Node[0].nX, -cWorldMap::kMaxCells);
}

TEST_F(cWorldMapTest, FindNodeReturnsTheFirstNodeOfTheCell)
{
    WorldMapSpec spec;
    spec.nodes = {Node(3, 4, "a"), Node(5, 6, "b"), Node(5, 6, "c")};
    cWorldMap map;
    ASSERT_EQ(LoadSpec(map, spec), 1);
    ASSERT_NE(map.FindNode(5, 6), nullptr);
    EXPECT_EQ(map.FindNode(5, 6)->strName, "b");
    EXPECT_EQ(map.FindNode(3, 4)->strName, "a");
    EXPECT_EQ(map.FindNode(4, 3), nullptr);
}

TEST(cWorldStageTest, StageKeyOfTheEntryFile)
{
    struct KeyCase {
        const char* file;
        const char* key;
    };
    for (KeyCase c : {KeyCase{"stg\\W01-1.stg4", "stg\\W01."}, KeyCase{"stg\\W01-2.stg4", "stg\\W01-2."},
                      KeyCase{"data\\A03-1.stg4", "data\\A03."}, KeyCase{"x-12.stg4", "x."},
                      KeyCase{"data\\stg4\\c01.stg4", "data\\stg4\\c01."}}) {
        cWorldStage entry;
        entry.strFile = c.file;
        EXPECT_EQ(entry.StageKey(), c.key) << c.file;
    }
}

TEST_F(cWorldMapTest, HasStageKeyLooksAtEnterableEntriesOnly)
{
    WorldMapSpec spec;
    spec.nodes = {
        Node(1, 1, "a", {Entry(1, "stg\\W02-1.stg4"), Entry(0, "stg\\W01-1.stg4")}),
        Node(2, 1, "b", {Entry(0, "stg\\W01-2.stg4"), Entry(2, "stg\\W03-2.stg4"), Entry(7, "stg\\W04.stg4")})};
    cWorldMap map;
    ASSERT_EQ(LoadSpec(map, spec), 1);
    EXPECT_TRUE(map.HasStageKey("stg\\W01."));
    EXPECT_TRUE(map.HasStageKey("stg\\W01-2."));
    EXPECT_FALSE(map.HasStageKey("stg\\W02."));
    EXPECT_FALSE(map.HasStageKey("stg\\W03-2."));
    EXPECT_FALSE(map.HasStageKey("stg\\W04."));
    EXPECT_FALSE(map.HasStageKey("stg\\W01"));
}

// Every shorter prefix of a valid file is refused without reading past its end, and the map is
// left with a consistent grid; so are counts that the file cannot hold.
TEST_F(cWorldMapTest, MalformedFilesAreRefused)
{
    const ByteWriter whole = testsupport::WorldMapFile(DistinctMap());
    for (std::size_t n = 4; n < whole.Size(); ++n) {
        ByteWriter cut;
        for (std::uint8_t b : whole.Truncated(n)) {
            cut.U8(b);
        }
        cWorldMap map;
        EXPECT_EQ(LoadFileBytes(map, cut), 0) << n << " bytes";
        EXPECT_EQ(map.Cell.size(), static_cast<std::size_t>(map.nPitch) * static_cast<std::size_t>(map.nHeight));
    }

    ByteWriter hugeCells;
    hugeCells.I32(720).I32(8).I32(20).I32(15).I32(32).I32(5).I32(0).I32(0).I32(0).I32(0).I32(2).I32(1).I32(1);
    hugeCells.I32(0).I32(0x7FFFFFFF).I32(1).I32(2);
    cWorldMap map;
    EXPECT_EQ(LoadFileBytes(map, hugeCells), 0);
    EXPECT_EQ(map.Cell.size(), 480u);
    EXPECT_EQ(TakeCloseRequests(), 0);
}

}  // namespace
