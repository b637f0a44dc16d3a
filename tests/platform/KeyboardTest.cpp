#include <gtest/gtest.h>

#include <thread>

#include "platform/win/Keyboard.h"

namespace {

TEST(KeyboardTest, KeysReadDownUntilReleasedFromAnyThread)
{
    ReleaseAllKeys();
    SetKeyState(VK_SPACE, true);
    SetKeyState('Z', true);
    SetKeyState(VK_OEM_7, true);
    SetKeyState(-1, true);   // ignored
    SetKeyState(256, true);  // ignored

    SHORT fromWorker = 0;
    std::thread t([&] { fromWorker = GetAsyncKeyState(VK_SPACE); });
    t.join();
    EXPECT_NE(fromWorker & 0x8000, 0);
    EXPECT_NE(GetAsyncKeyState('Z') & 0x8000, 0);
    EXPECT_EQ(GetAsyncKeyState('X'), 0);
    EXPECT_EQ(GetAsyncKeyState(-1), 0);
    EXPECT_EQ(GetAsyncKeyState(256), 0);

    BYTE state[256];
    ASSERT_TRUE(GetKeyboardState(state));
    EXPECT_EQ(state[VK_OEM_7], 0x80);
    EXPECT_EQ(state[static_cast<int>('X')], 0x00);

    SetKeyState('Z', false);
    EXPECT_EQ(GetAsyncKeyState('Z'), 0);
    ReleaseAllKeys();
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_OEM_7), 0);
}

}  // namespace
