#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/host/FrameScaling.h"
#include "platform/host/FrameStore.h"
#include "platform/host/HeadlessHost.h"
#include "platform/host/SdlHost.h"
#include "platform/host/SdlKeyMap.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Keyboard.h"
#include "platform/win/MessageBox.h"
#include "platform/win/SystemInfo.h"
#include "platform/win/Threads.h"

void PrintTo(const HostRect& r, std::ostream* os)
{
    *os << "{" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << "}";
}

namespace {

// Writes a width x height frame whose pixel (x, y) is base + y * 256 + x; counts the calls.
struct PatternWriter {
    int width;
    int height;
    std::uint32_t base;
    int* calls;
    void operator()(std::uint32_t* out) const
    {
        ++*calls;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                out[y * width + x] = base + static_cast<std::uint32_t>(y * 256 + x);
            }
        }
    }
};

bool WritePattern(Host& host, int width, int height, std::uint32_t base, int* calls)
{
    return host.WriteFrame(width, height, PatternWriter{width, height, base, calls});
}

// Pixel (x, y) of frame, or a value no pattern has when it lies outside.
std::uint32_t PixelOf(const HostFrame& frame, int x, int y)
{
    const bool inside = x >= 0 && y >= 0 && x < frame.width && y < frame.height &&
                        frame.pixels.size() == static_cast<size_t>(frame.width) * frame.height;
    return inside ? frame.At(x, y) : 0xFFFFFFFFu;
}

// Frames of changing sizes, each written into storage that held an older frame: the newest one
// reads back whole, at its own size.
TEST(HeadlessHostTest, KeepsTheNewestFrameAtItsSizeAndCountsFrames)
{
    HeadlessHost host;
    EXPECT_EQ(host.FrameCount(), 0u);
    EXPECT_TRUE(host.LastFrame().pixels.empty());

    struct Case {
        int width, height;
        std::uint32_t base;
    };
    const Case cases[] = {{4, 3, 0x100000}, {3, 2, 0x200000}, {5, 4, 0x300000}, {4, 3, 0x400000}, {4, 3, 0x500000}};
    int calls = 0;
    for (const Case& c : cases) {
        ASSERT_TRUE(WritePattern(host, c.width, c.height, c.base, &calls));
        const HostFrame last = host.LastFrame();
        ASSERT_EQ(last.width, c.width);
        ASSERT_EQ(last.height, c.height);
        ASSERT_EQ(last.pixels.size(), static_cast<size_t>(c.width) * c.height);
        EXPECT_EQ(last.At(0, 0), c.base);
        EXPECT_EQ(last.At(c.width - 1, c.height - 1),
                  c.base + static_cast<std::uint32_t>((c.height - 1) * 256 + c.width - 1));
    }
    EXPECT_EQ(host.FrameCount(), 5u);
    EXPECT_EQ(calls, 5);
}

TEST(HeadlessHostTest, RefusesFrameSizesOutsideTheRangeWithoutWriting)
{
    HeadlessHost host;
    int calls = 0;
    ASSERT_TRUE(WritePattern(host, 2, 2, 0x10, &calls));
    const int bad[][2] = {{0, 2}, {2, -1}, {Host::kMaxFrameSide + 1, 1}, {1, Host::kMaxFrameSide + 1}};
    for (const auto& size : bad) {
        EXPECT_FALSE(WritePattern(host, size[0], size[1], 0x99, &calls)) << size[0] << "x" << size[1];
    }
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(host.FrameCount(), 1u);
    EXPECT_EQ(host.LastFrame().At(1, 1), 0x10u + 0x101u);
}

// A reader that takes frames while a writer writes them never sees one half written or older
// than the count it is told: every pixel of frame n is n.
TEST(FrameStoreTest, AReaderSeesOnlyWholeFramesMatchingTheCount)
{
    FrameStore store;
    constexpr unsigned kFrames = 400;
    std::atomic<bool> done{false};
    std::thread writer([&store, &done] {
        for (unsigned n = 1; n <= kFrames; ++n) {
            const int side = 16 + static_cast<int>(n % 3) * 8;  // sizes change too
            store.Write(side, side,
                        [n, side](std::uint32_t* out) { std::fill_n(out, static_cast<size_t>(side) * side, n); });
        }
        done = true;
    });
    unsigned seen = 0;
    unsigned reads = 0;
    unsigned torn = 0;
    while (!done || seen != kFrames) {
        store.ReadIfNewer(seen, [&seen, &reads, &torn](const HostFrame& frame) {
            ++reads;
            const int side = 16 + static_cast<int>(seen % 3) * 8;
            const bool whole =
                frame.width == side && frame.height == side &&
                std::all_of(frame.pixels.begin(), frame.pixels.end(), [&seen](std::uint32_t p) { return p == seen; });
            torn += whole ? 0 : 1;
        });
    }
    writer.join();
    EXPECT_EQ(torn, 0u) << "of " << reads << " frames read";
    EXPECT_EQ(store.Count(), kFrames);
}

// Two frames written without a read between them: the reader gets the second, once.
TEST(FrameStoreTest, TwoFramesWithoutAReadShowTheSecond)
{
    FrameStore store;
    int calls = 0;
    unsigned seen = 0;
    store.Write(2, 1, [&calls](std::uint32_t* out) {
        out[0] = out[1] = 0xA;
        ++calls;
    });
    store.Write(1, 2, [&calls](std::uint32_t* out) {
        out[0] = out[1] = 0xB;
        ++calls;
    });
    std::vector<HostFrame> read;
    const auto keep = [&read](const HostFrame& frame) { read.push_back(frame); };
    EXPECT_TRUE(store.ReadIfNewer(seen, keep));
    EXPECT_FALSE(store.ReadIfNewer(seen, keep));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].width, 1);
    EXPECT_EQ(read[0].pixels, (std::vector<std::uint32_t>{0xB, 0xB}));
    EXPECT_EQ(seen, 2u);
}

TEST(HeadlessHostTest, RecordsTheWindowAndAnswersBoxes)
{
    HeadlessHost host;
    HostWindowSpec spec;
    spec.titleSjis = "\x83\x65\x83\x58\x83\x67";
    spec.x = 100;
    spec.y = 100;
    HWND hWnd = reinterpret_cast<HWND>(std::uintptr_t{0x1234});
    EXPECT_TRUE(host.OpenWindow(hWnd, spec));
    host.SetTitle("Title");
    host.SetFullScreen(true);

    EXPECT_TRUE(host.IsWindowOpen());
    EXPECT_EQ(host.Window(), hWnd);
    EXPECT_EQ(host.WindowSpec().titleSjis, "Title");
    EXPECT_TRUE(host.WindowSpec().fullScreen);
    EXPECT_EQ(host.WindowSpec().clientWidth, 640);
    host.CloseWindow();
    EXPECT_FALSE(host.IsWindowOpen());

    EXPECT_EQ(host.ShowMessageBox("a", "b", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(host.ShowMessageBox("a", "b", MB_YESNO | MB_ICONQUESTION), IDYES);
}

// Each wait runs on a thread of its own and is given ten seconds to end through its Wake; one that
// does not is reported, then woken again so that the test ends.
bool WaitEndsWithin10s(HeadlessHost& host, const std::function<void()>& afterStart)
{
    std::promise<void> ended;
    std::future<void> done = ended.get_future();
    std::thread waiter([&host, &ended] {
        host.WaitForEvents(INFINITE);
        ended.set_value();
    });
    afterStart();
    const bool bEnded = done.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
        host.Wake();
    }
    waiter.join();
    return bEnded;
}

TEST(HeadlessHostTest, WakeEndsAWaitEvenWhenItCameFirst)
{
    HeadlessHost host;
    host.Wake();
    EXPECT_TRUE(WaitEndsWithin10s(host, [] {})) << "a Wake given before the wait did not end it";
    EXPECT_TRUE(WaitEndsWithin10s(host, [&host] { host.Wake(); })) << "a Wake given during the wait did not end it";
}

TEST(HostTest, AHeadlessHostDropsTheFramePaceOnlyWhenAsked)
{
    struct Case {
        const char* value;  // nullptr: not set
        bool paced;
    };
    for (const Case& c : {Case{nullptr, true}, Case{"0", true}, Case{"", true}, Case{"1", false}}) {
        if (c.value != nullptr) {
            setenv("QB_UNPACED", c.value, 1);
        } else {
            unsetenv("QB_UNPACED");
        }
        EXPECT_EQ(HeadlessHost().KeepsFramePace(), c.paced) << (c.value ? c.value : "unset");
    }
    unsetenv("QB_UNPACED");
}

TEST(HostTest, TheProcessHostIsHeadlessWhenAskedAndCanBeReplaced)
{
    const char* saved = std::getenv("QB_HEADLESS");
    const std::string savedValue = saved ? saved : "";
    struct Case {
        const char* value;
        bool headless;
    };
    for (const Case& c : {Case{"1", true}, Case{"yes", true}, Case{"0", false}, Case{"", false}}) {
        setenv("QB_HEADLESS", c.value, 1);
        EXPECT_EQ(HeadlessRequested(), c.headless) << '"' << c.value << '"';
    }
    unsetenv("QB_HEADLESS");
    EXPECT_FALSE(HeadlessRequested());

    setenv("QB_HEADLESS", "1", 1);
    SetHost(nullptr);
    EXPECT_TRUE(GetHost().IsHeadless());

    auto replacement = std::make_unique<HeadlessHost>();
    Host* expected = replacement.get();
    SetHost(std::move(replacement));
    EXPECT_EQ(&GetHost(), expected);

    if (saved) {
        setenv("QB_HEADLESS", savedValue.c_str(), 1);
    } else {
        unsetenv("QB_HEADLESS");
    }
}

// Without a display named in the environment the screen host is refused with one reason and
// nothing of the display libraries' own on standard error.
TEST(HostTest, WithoutADisplayNamedTheScreenHostIsRefusedQuietlyWithItsReason)
{
    std::vector<std::pair<std::string, std::string>> saved;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "XDG_RUNTIME_DIR"}) {
        if (const char* value = std::getenv(name)) {
            saved.emplace_back(name, value);
        }
        unsetenv(name);
    }
    ::testing::internal::CaptureStderr();
    std::string error;
    const std::unique_ptr<Host> host = CreateSdlHost(error);
    const std::string written = ::testing::internal::GetCapturedStderr();
    for (const auto& [name, value] : saved) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    EXPECT_EQ(host, nullptr);
    EXPECT_EQ(error, "neither DISPLAY nor WAYLAND_DISPLAY is set");
    EXPECT_EQ(written, "");
}

// Runs the screen host on SDL's "dummy" video driver, whose software renderer can be read back.
class DummyScreen {
public:
    DummyScreen()
    {
        if (const char* value = std::getenv("SDL_VIDEODRIVER")) {
            m_saved = value;
        }
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        std::string error;
        m_host = SdlHost::Create(error);
        m_error = error;
    }
    ~DummyScreen()
    {
        m_host.reset();
        if (m_saved) {
            setenv("SDL_VIDEODRIVER", m_saved->c_str(), 1);
        } else {
            unsetenv("SDL_VIDEODRIVER");
        }
        ResetSystemFacts();  // the host reported the dummy display's desktop
    }
    SdlHost* Host() const { return m_host.get(); }
    const std::string& Error() const { return m_error; }

private:
    std::optional<std::string> m_saved;
    std::unique_ptr<SdlHost> m_host;
    std::string m_error;
};

// What reaches the window: the newest frame (two written without a pump between them), scaled by
// a whole number when it fits, centred with the aspect kept, black around it. Every pixel of the
// window is checked.
TEST(SdlHostTest, TheWindowShowsTheNewestFrameScaledAndCentred)
{
    constexpr int kW = 160;
    constexpr int kH = 120;
    struct Case {
        const char* name;
        int clientW, clientH;
        bool fullScreen;
    };
    const Case cases[] = {
        {"same size", kW, kH, false},
        {"larger window, bars", 200, 150, false},
        {"twice the size", 2 * kW, 2 * kH, false},
        {"full screen", kW, kH, true},
    };
    DummyScreen screen;
    if (screen.Host() == nullptr) {
        GTEST_SKIP() << "no dummy video driver: " << screen.Error();
    }
    SdlHost& host = *screen.Host();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostWindowSpec spec;
        spec.clientWidth = c.clientW;
        spec.clientHeight = c.clientH;
        spec.fullScreen = c.fullScreen;
        ASSERT_TRUE(host.OpenWindow(nullptr, spec));
        int calls = 0;
        ASSERT_TRUE(WritePattern(host, kW, kH, 0x100000, &calls));
        ASSERT_TRUE(WritePattern(host, kW, kH, 0x200000, &calls));
        host.Pump();

        const HostFrame shown = host.ShownPicture();
        ASSERT_GT(shown.width, 0);
        if (!c.fullScreen) {
            EXPECT_EQ(shown.width, c.clientW);
            EXPECT_EQ(shown.height, c.clientH);
        }
        const HostRect r = ScaledRect(shown.width, shown.height, kW, kH);
        int wrong = 0;
        for (int y = 0; y < shown.height; ++y) {
            for (int x = 0; x < shown.width; ++x) {
                const bool inside = x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
                const std::uint32_t expected =
                    inside ? 0x200000u + static_cast<std::uint32_t>((y - r.y) * kH / r.h * 256 + (x - r.x) * kW / r.w)
                           : 0u;
                if (PixelOf(shown, x, y) != expected && wrong++ < 3) {
                    ADD_FAILURE() << "window pixel (" << x << ", " << y << ") is " << std::hex << PixelOf(shown, x, y)
                                  << ", not " << expected;
                }
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(host.LastFrame().At(kW - 1, kH - 1), 0x200000u + (kH - 1) * 256 + kW - 1);
        host.CloseWindow();
    }
}

TEST(SdlKeyMapTest, PhysicalKeysGiveUsLayoutVirtualKeys)
{
    struct Case {
        SDL_Scancode scancode;
        int vk;
    };
    const Case cases[] = {
        {SDL_SCANCODE_A, 'A'},
        {SDL_SCANCODE_Z, 'Z'},
        {SDL_SCANCODE_X, 'X'},
        {SDL_SCANCODE_1, '1'},
        {SDL_SCANCODE_9, '9'},
        {SDL_SCANCODE_0, '0'},
        {SDL_SCANCODE_F1, VK_F1},
        {SDL_SCANCODE_F5, 0x74},
        {SDL_SCANCODE_F12, VK_F12},
        {SDL_SCANCODE_LEFT, VK_LEFT},
        {SDL_SCANCODE_UP, VK_UP},
        {SDL_SCANCODE_RIGHT, VK_RIGHT},
        {SDL_SCANCODE_DOWN, VK_DOWN},
        {SDL_SCANCODE_SPACE, VK_SPACE},
        {SDL_SCANCODE_RETURN, VK_RETURN},
        {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
        {SDL_SCANCODE_TAB, VK_TAB},
        {SDL_SCANCODE_BACKSPACE, VK_BACK},
        {SDL_SCANCODE_INSERT, VK_INSERT},
        {SDL_SCANCODE_DELETE, VK_DELETE},
        {SDL_SCANCODE_HOME, VK_HOME},
        {SDL_SCANCODE_END, VK_END},
        {SDL_SCANCODE_PAGEUP, VK_PRIOR},
        {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
        {SDL_SCANCODE_LSHIFT, VK_LSHIFT},
        {SDL_SCANCODE_RSHIFT, VK_RSHIFT},
        {SDL_SCANCODE_LCTRL, VK_LCONTROL},
        {SDL_SCANCODE_RCTRL, VK_RCONTROL},
        {SDL_SCANCODE_LALT, VK_LMENU},
        {SDL_SCANCODE_RALT, VK_RMENU},
        {SDL_SCANCODE_KP_0, VK_NUMPAD0},
        {SDL_SCANCODE_KP_1, 0x61},
        {SDL_SCANCODE_KP_9, 0x69},
        {SDL_SCANCODE_KP_PLUS, VK_ADD},
        {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT},
        {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY},
        {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},
        {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL},
        {SDL_SCANCODE_KP_ENTER, VK_RETURN},
        {SDL_SCANCODE_SEMICOLON, VK_OEM_1},
        {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
        {SDL_SCANCODE_COMMA, VK_OEM_COMMA},
        {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
        {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
        {SDL_SCANCODE_SLASH, VK_OEM_2},
        {SDL_SCANCODE_GRAVE, VK_OEM_3},
        {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
        {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
        {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},
        {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
        {SDL_SCANCODE_UNKNOWN, 0},
        {SDL_SCANCODE_MUTE, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SdlScancodeToVk(c.scancode), c.vk) << "scancode " << static_cast<int>(c.scancode);
    }
}

TEST(SdlKeyMapTest, ModifierSidesShareTheirGenericKey)
{
    EXPECT_EQ(GenericVk(VK_LSHIFT), VK_SHIFT);
    EXPECT_EQ(GenericVk(VK_RCONTROL), VK_CONTROL);
    EXPECT_EQ(GenericVk(VK_RMENU), VK_MENU);
    EXPECT_EQ(GenericVk('Z'), 'Z');
    EXPECT_EQ(OtherSideVk(VK_LSHIFT), VK_RSHIFT);
    EXPECT_EQ(OtherSideVk(VK_RMENU), VK_LMENU);
    EXPECT_EQ(OtherSideVk(VK_SPACE), 0);
}

TEST(FrameScalingTest, WholeNumberScaleWhenItFitsLetterboxOtherwise)
{
    struct Case {
        int windowW, windowH;
        HostRect expected;
    };
    const Case cases[] = {
        {640, 480, {0, 0, 640, 480}},        // exact
        {1280, 960, {0, 0, 1280, 960}},      // exactly 2x
        {1300, 980, {10, 10, 1280, 960}},    // 2x with a border
        {1920, 1080, {320, 60, 1280, 960}},  // 2x, the height limits
        {1024, 768, {192, 144, 640, 480}},   // 1.6x available: stays 1x
        {2560, 1440, {320, 0, 1920, 1440}},  // 3x
        {640, 479, {1, 0, 638, 479}},        // below 1x: the height limits, width rounded down
        {320, 240, {0, 0, 320, 240}},        // half size keeps the aspect
        {400, 480, {0, 90, 400, 300}},       // narrow: the width limits
        {640, 240, {160, 0, 320, 240}},      // flat: the height limits
        {0, 480, {0, 0, 0, 0}},
        {640, -1, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaledRect(c.windowW, c.windowH, 640, 480), c.expected) << c.windowW << "x" << c.windowH;
    }
    EXPECT_EQ(ScaledRect(640, 480, 0, 480), (HostRect{}));
}

}  // namespace
