#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/host/FrameScaling.h"
#include "platform/host/HeadlessHost.h"
#include "platform/host/SdlKeyMap.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Keyboard.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Threads.h"

void PrintTo(const HostRect& r, std::ostream* os)
{
    *os << "{" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << "}";
}

namespace {

// A width x height frame inside a buffer with `pitch` pixels per row; the pixel at (x, y) is
// base + y * 256 + x, and the padding beyond the width is 0xDEAD so that a copy of it shows.
std::vector<std::uint32_t> MakeFrame(int width, int height, int pitch, std::uint32_t base)
{
    std::vector<std::uint32_t> px(static_cast<size_t>(pitch) * height, 0xDEAD);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            px[y * pitch + x] = base + static_cast<std::uint32_t>(y * 256 + x);
        }
    }
    return px;
}

TEST(HeadlessHostTest, KeepsTheNewestFrameRowByRowAndCountsFrames)
{
    HeadlessHost host;
    EXPECT_EQ(host.FrameCount(), 0u);
    EXPECT_TRUE(host.LastFrame().pixels.empty());

    const auto first = MakeFrame(4, 3, 4, 0x100000);
    host.SubmitFrame(first.data(), 4, 3, 4);
    const auto second = MakeFrame(3, 2, 5, 0x200000);  // padded rows
    host.SubmitFrame(second.data(), 3, 2, 5);

    EXPECT_EQ(host.FrameCount(), 2u);
    const HostFrame last = host.LastFrame();
    ASSERT_EQ(last.width, 3);
    ASSERT_EQ(last.height, 2);
    ASSERT_EQ(last.pixels.size(), 6u);
    EXPECT_EQ(last.At(0, 0), 0x200000u);
    EXPECT_EQ(last.At(2, 0), 0x200002u);
    EXPECT_EQ(last.At(0, 1), 0x200100u);
    EXPECT_EQ(last.At(2, 1), 0x200102u);
}

TEST(HeadlessHostTest, RefusesFramesThatCannotBeRead)
{
    HeadlessHost host;
    const auto good = MakeFrame(2, 2, 2, 0x10);
    host.SubmitFrame(good.data(), 2, 2, 2);

    const auto any = MakeFrame(4, 4, 4, 0x99);
    host.SubmitFrame(nullptr, 2, 2, 2);
    host.SubmitFrame(any.data(), 0, 2, 2);
    host.SubmitFrame(any.data(), 2, -1, 2);
    host.SubmitFrame(any.data(), 3, 2, 2);  // pitch shorter than a row

    EXPECT_EQ(host.FrameCount(), 1u);
    EXPECT_EQ(host.LastFrame().At(1, 1), 0x10u + 0x101u);
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
