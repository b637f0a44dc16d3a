// The grid over a faction group's boxes: exactly the boxes that touch the query box come back
// (shared edges count), once, in ascending order, whatever the boxes look like.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "stage/collision/cBoxGrid.h"

namespace {

// The contact test of the collision walks, written out here so that the grid is checked against
// it and not against itself.
bool Touch(const GRIDBOX& a, const GRIDBOX& b)
{
    return a.left <= b.right && a.right >= b.left && a.top <= b.bottom && a.bottom >= b.top;
}

// Checks one query against the plain walk over all boxes.
void ExpectExactlyTouchingFound(const cBoxGrid& grid, const std::vector<GRIDBOX>& boxes,
                                const std::vector<std::uint8_t>& taking, const GRIDBOX& query, const char* name)
{
    std::vector<int> found;
    grid.Query(query, found);
    for (std::size_t i = 1; i < found.size(); ++i) {
        ASSERT_LT(found[i - 1], found[i]) << name << ": ascending, each once";
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const bool listed = std::find(found.begin(), found.end(), static_cast<int>(i)) != found.end();
        if (taking[i] == 0) {
            EXPECT_FALSE(listed) << name << ": box " << i << " takes no part";
        } else {
            EXPECT_EQ(listed, Touch(boxes[i], query)) << name << ": box " << i;
        }
    }
}

// A query with one of the built boxes gives what a query with a copy of that box gives.
void ExpectMemberQueriesMatch(const cBoxGrid& grid, const std::vector<GRIDBOX>& boxes, const char* name)
{
    std::vector<int> byMember;
    std::vector<int> byBox;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        grid.QueryMember(static_cast<int>(i), byMember);
        grid.Query(boxes[i], byBox);
        EXPECT_EQ(byMember, byBox) << name << ": box " << i;
    }
}

TEST(BoxGridTest, ExactlyTheTouchingBoxesAreFoundWhateverTheirShape)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<GRIDBOX> boxes = {
        {0, 0, 31, 31},                                       // 0
        {32, 0, 63, 31},                                      // 1: shares no edge with 0 (31 < 32)
        {31, 31, 40, 40},                                     // 2: shares the corner of 0
        {500, 500, 480, 520},                                 // 3: inside out horizontally
        {-inf, 10, 5, 20},                                    // 4: reaches far to the left
        {0, 0, 5000, 5000},                                   // 5: covers many cells
        {1e300, 0, 1e300, 10},                                // 6: so far away that distances overflow
        {-1e300, 0, -1e300, 10},                              // 7
        {100, 100, 110, 110},                                 // 8: not taking part
        {std::numeric_limits<double>::quiet_NaN(), 0, 5, 5},  // 9: touches nothing
    };
    const std::vector<std::uint8_t> taking = {1, 1, 1, 1, 1, 1, 1, 1, 0, 1};
    cBoxGrid grid;
    grid.Build(boxes, taking);
    const struct {
        const char* name;
        GRIDBOX query;
    } queries[] = {
        {"the first box's edge", {31, 0, 31, 0}},
        {"between two boxes", {31.5, 5, 31.6, 6}},
        {"an inside-out box met", {485, 505, 486, 506}},
        {"far to the left", {-1e9, 12, -1e9, 12}},
        {"the far box", {1e300, 5, 1e300, 5}},
        {"the far negative box", {-1e300, 5, -1e300, 5}},
        {"the excluded box's place", {105, 105, 106, 106}},
        {"an infinite query", {-inf, -inf, inf, inf}},
        {"a query inside out", {40, 40, 0, 0}},
    };
    for (const auto& q : queries) {
        ExpectExactlyTouchingFound(grid, boxes, taking, q.query, q.name);
    }
    ExpectMemberQueriesMatch(grid, boxes, "shapes");
}

TEST(BoxGridTest, ScatteredBoxesMatchThePlainWalk)
{
    std::uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<double>((seed >> 8) % static_cast<std::uint32_t>(range));
    };
    cBoxGrid grid;  // built again for every count: nothing of an earlier build may show
    for (const int count : {0, 1, 7, 300, 7}) {
        std::vector<GRIDBOX> boxes;
        std::vector<std::uint8_t> taking;
        for (int i = 0; i < count; ++i) {
            const double x = next(2000) - 200;
            const double y = next(1200) - 100;
            const double w = i % 50 == 0 ? next(800) : next(40);
            const double h = next(40);
            boxes.push_back(GRIDBOX{x, y, x + w, y + h});
            taking.push_back(i % 9 == 0 ? 0 : 1);
        }
        grid.Build(boxes, taking);
        for (int q = 0; q < 200; ++q) {
            const double x = next(2400) - 400;
            const double y = next(1600) - 300;
            ExpectExactlyTouchingFound(grid, boxes, taking, GRIDBOX{x, y, x + next(64), y + next(64)}, "scattered");
        }
        ExpectMemberQueriesMatch(grid, boxes, "scattered");
    }
}

}  // namespace
