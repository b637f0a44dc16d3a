// Shared by the graphics tests: the six back-end configurations every operation runs over, a
// fixture with a game folder, a report log, a main window and clean stand-ins, bitmap files
// written byte by byte, and the raw pixel a colour becomes in each configuration.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Palette.h"
#include "graphics/SurfaceCatalogue.h"
#include "graphics/Surfaces.h"
#include "platform/BmpBytes.h"
#include "platform/d3d9/D3D9Config.h"
#include "platform/ddraw/DDrawTestHooks.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/SystemInfo.h"
#include "platform/win/Time.h"
#include "support/GameFolder.h"
#include "support/TestMainWindow.h"

namespace gfxtest {

// One back-end configuration: Direct3D at 16 bits in a window and in full screen and at 32 bits,
// DirectDraw at 8, 16 and 32 bits (full screen at 8 and 16, a window at 32).
struct Config {
    const char* name;
    int bDirect3D;
    int nBpp;
    int bWindowMode;
};

inline const Config kConfigs[] = {
    {"D3D16Window", 1, 16, 1},  {"D3D16FullScreen", 1, 16, 0}, {"D3D32Window", 1, 32, 1},
    {"DD8FullScreen", 0, 8, 0}, {"DD16FullScreen", 0, 16, 0},  {"DD32Window", 0, 32, 1},
};

inline void PrintTo(const Config& c, std::ostream* os)
{
    *os << c.name;
}

inline std::string ConfigName(const ::testing::TestParamInfo<Config>& info)
{
    return info.param.name;
}

// Colours as 0x00RRGGBB.
constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kYellow = 0xFFFF00;

// The 256 colours of the test palette bitmap: entry 0 magenta (the transparent colour), entries
// 1..5 pure colours, the rest a spread of values.
inline std::vector<std::uint32_t> TestPaletteColours()
{
    std::vector<std::uint32_t> table(256);
    table[0] = kMagenta;
    table[1] = kRed;
    table[2] = kGreen;
    table[3] = kBlue;
    table[4] = kWhite;
    table[5] = kYellow;
    for (std::uint32_t i = 6; i < 256; ++i)
        table[i] = ((i * 37u) & 0xFF) << 16 | ((i * 11u + 40u) & 0xFF) << 8 | ((255u - i) & 0xFF);
    return table;
}

// An 8-bit bitmap whose pixel (x, y) is index(x, y), with the test palette's colours.
inline std::string Bmp8(int width, int height, const std::function<std::uint32_t(int, int)>& index,
                        std::vector<std::uint32_t> table = TestPaletteColours())
{
    BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = 8;
    spec.table = std::move(table);
    for (int y = 0; y < height; ++y) {
        spec.rows.emplace_back();
        for (int x = 0; x < width; ++x) spec.rows.back().push_back(index(x, y));
    }
    return MakeBmp(spec);
}

// A 24-bit bitmap whose pixel (x, y) is colour(x, y) (0x00RRGGBB).
inline std::string Bmp24(int width, int height, const std::function<std::uint32_t(int, int)>& colour)
{
    BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = 24;
    for (int y = 0; y < height; ++y) {
        spec.rows.emplace_back();
        for (int x = 0; x < width; ++x) spec.rows.back().push_back(colour(x, y));
    }
    return MakeBmp(spec);
}

// The palette bitmap: 16 x 24 pixels, rows 0..7 the transparent colour (index 0), then the 16 x 16
// grid of the palette: pixel (i % 16, 8 + i / 16) has index i.
inline std::string PaletteBmp(std::vector<std::uint32_t> table = TestPaletteColours())
{
    return Bmp8(
        16, 24, [](int x, int y) { return y < 8 ? 0u : static_cast<std::uint32_t>((y - 8) * 16 + x); },
        std::move(table));
}

// The raw pixel a colour of an 8-bit bitmap (index, colour) becomes when loaded in a
// configuration: Direct3D textures A8R8G8B8 (alpha 255) or A1R5G5B5 (channels truncated, alpha
// bit set); DirectDraw the index at 8 bits, R5G6B5 by truncation at 16, 0x00RRGGBB at 32.
inline DWORD LoadedRaw(const Config& c, std::uint32_t colour, std::uint32_t index)
{
    const DWORD r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
    if (c.bDirect3D) return c.nBpp == 32 ? 0xFF000000u | colour : 0x8000u | (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
    if (c.nBpp == 8) return index;
    if (c.nBpp == 16) return (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3);
    return colour;
}

// A fixture with a fresh game folder (the current folder), the report log "Report_Game.txt", a
// main window (hWndMain), the virtual clock and clean stand-ins; everything the back-end built is
// released afterwards and must leave no DirectDraw or Direct3D object behind.
class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QB_HEADLESS", "1", 1);
        m_folder = std::make_unique<testsupport::GameFolder>();
        UseVirtualClock(true, 1000);
        SetECLog(0, "EC_Game.txt");
        ASSERT_TRUE(CreateReportLog("Report_Game.txt"));
        SystemFacts facts = GetSystemFacts();
        facts.desktopBitsPerPixel = 32;
        facts.desktopWidth = 1920;
        facts.desktopHeight = 1080;
        facts.refreshRate = 60;
        SetSystemFactsForTest(facts);
        ResetD3D9Config();
        DDrawResetHooks();
        ClearRecordedMessageBoxes();
        m_window.emplace();
        m_hWnd = m_window->Handle();
        ASSERT_NE(m_hWnd, nullptr);
        for (int i = 0; i < kBuiltInSurfaceCount; ++i) m_savedInfo[i] = SDInfoTable[i];
        for (auto& e : Palette) e = PALETTEENTRY{};
        for (auto& e : PaletteBackup) e = PALETTEENTRY{};
        dwColorKey = 0;
    }

    void TearDown() override
    {
        DDRelease();
        for (auto& sd : SDTable) sd.lpShareSD = nullptr;
        EXPECT_TRUE(DTSurfaceList.empty()) << "surfaces left in the Direct3D list";
        EXPECT_EQ(DDrawLiveObjectCount(), 0u);
        for (int i = 0; i < kBuiltInSurfaceCount; ++i) SDInfoTable[i] = m_savedInfo[i];
        SetMessageBoxOpenHook(nullptr);
        ScriptMessageBoxAnswers({});
        m_window.reset();
        m_hWnd = nullptr;
        ResetD3D9Config();
        DDrawResetHooks();
        ResetSystemFacts();
        SetECLog(0, "EC_Game.txt");
        UseVirtualClock(false);
        m_folder.reset();
    }

    // Opens the back-end of the configuration as the start-up does (vsync off).
    BOOL Open(const Config& c)
    {
        return DDInit(c.bDirect3D, m_hWnd, 640, 480, c.nBpp, 0, c.bWindowMode, 1, 60, 0, SDTable, SDInfoTable,
                      kBuiltInSurfaceCount);
    }

    void Write(const std::string& gamePath, const std::string& bytes) { m_folder->Write(gamePath, bytes); }
    void Remove(const std::string& gamePath) { m_folder->Remove(gamePath); }

    // The lines of the report log (CR LF removed).
    std::vector<std::string> ReportLines() const
    {
        std::vector<std::string> lines;
        const std::string text = m_folder->Read("Report_Game.txt");
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            start = end + 1;
        }
        return lines;
    }
    bool ReportHas(const std::string& line) const
    {
        for (const std::string& l : ReportLines())
            if (l == line) return true;
        return false;
    }

    // The posted messages uMsg waiting for the main window (removed).
    int TakePosted(UINT uMsg) { return m_window->TakePosted(uMsg); }

    std::optional<testsupport::TestMainWindow> m_window;
    HWND m_hWnd = nullptr;
    std::unique_ptr<testsupport::GameFolder> m_folder;
    DDSURFACEINFO m_savedInfo[kBuiltInSurfaceCount];
};

// The fixture run over the six configurations.
class GraphicsMatrixTest : public GraphicsTest, public ::testing::WithParamInterface<Config> {};

}  // namespace gfxtest
