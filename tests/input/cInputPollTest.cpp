// The two polls: the fixed layout and the key configuration, with joysticks and their retry.
#include <vector>

#include "InputTestSupport.h"

namespace {

using inputtest::InputFixture;

constexpr DWORD kCentre = 32768;

TEST_F(InputFixture, FixedLayoutKeyboardGivesTheWordsAndKeypadNumber)
{
    struct Case {
        std::vector<int> keys;
        SHORT dir;
        int dirNum;
        SHORT buttons;
    };
    const Case cases[] = {
        {{}, 0, 5, 0},
        {{VK_LEFT}, 1, 4, 0},
        {{VK_RIGHT, VK_UP}, 2 | 4, 5 + 1 - 3, 0},
        {{VK_LEFT, VK_DOWN}, 1 | 8, 5 - 1 + 3, 0},
        {{VK_DOWN}, 8, 5 + 3, 0},
        {{VK_LEFT, VK_RIGHT}, 3, 5, 0},  // opposite keys both count and cancel in the number
        {{VK_UP, VK_DOWN}, 12, 5, 0},
        {{'Z'}, 0, 5, 1},
        {{'X', 'F'}, 0, 5, 2 | 128},
        {{'C', 'V', 'A', 'S', 'D'}, 0, 5, 4 | 8 | 16 | 32 | 64},
        {{'Q', VK_SPACE}, 0, 5, 0},
    };
    for (const Case& c : cases) {
        ReleaseAllKeys();
        for (int vk : c.keys) {
            SetKeyState(vk, true);
        }
        EXPECT_EQ(in().PollDefault(0, POLL_JOYSTICK | POLL_KEYBOARD, 60), 1);
        EXPECT_EQ(in().wDir, c.dir) << c.keys.size();
        EXPECT_EQ(in().nDirNum, c.dirNum) << c.keys.size();
        EXPECT_EQ(in().wButton, c.buttons) << c.keys.size();
    }
}

TEST_F(InputFixture, FixedLayoutJoystickDirectionAndButtonsReplaceTheKeyboards)
{
    Keys({VK_RIGHT, 'Z'});
    // Stick up-left (positions at the thresholds), button 2 down.
    pads->Set(0, 10000, 10000, 2);
    in().PollDefault(0, POLL_JOYSTICK | POLL_KEYBOARD, 60);
    EXPECT_EQ(in().wDir, 1 | 4);
    EXPECT_EQ(in().nDirNum, 5 - 1 - 3);
    EXPECT_EQ(in().wButton, 2);  // the keyboard's Z does not add in
    // Centred stick and no button: the keyboard counts again.
    pads->Set(0, kCentre, 55534, 0);
    in().PollDefault(0, POLL_JOYSTICK | POLL_KEYBOARD, 60);
    EXPECT_EQ(in().wDir, 2);
    EXPECT_EQ(in().wButton, 1);
    // Down-right at the far thresholds; buttons beyond the eighth are not mapped.
    pads->Set(0, 55535, 65535, 1u << 8);
    in().PollDefault(0, POLL_JOYSTICK | POLL_KEYBOARD, 60);
    EXPECT_EQ(in().wDir, 2 | 8);
    EXPECT_EQ(in().nDirNum, 5 + 1 + 3);
    EXPECT_EQ(in().wButton, 1);
}

TEST_F(InputFixture, EachPollRefusesTheOtherMode)
{
    KeyConfig.bUseKeyConfig = 1;
    EXPECT_EQ(in().PollDefault(0, 3, 60), 0);
    EXPECT_EQ(in().PollKeyConfig(1, 60), 1);
    KeyConfig.bUseKeyConfig = 0;
    EXPECT_EQ(in().PollKeyConfig(1, 60), 0);
}

TEST_F(InputFixture, KeyConfigurationGivesPrecedenceAndReadsJoystickAxesAndMasks)
{
    KeyConfig.bUseKeyConfig = 1;
    KeyConfig.nJoyNum = 2;
    // Up comes from joystick 1's stick, button 1 from joystick 1's mask 0x0C, button 2 from the key
    // Q; button 3 names an axis code, which buttons never test.
    KeyConfig.entries[2] = {1, JOYAXIS_UP};
    KeyConfig.entries[4] = {1, 0x0C};
    KeyConfig.entries[5] = {8, 'Q'};
    KeyConfig.entries[6] = {1, JOYAXIS_LEFT};
    pads->Set(1, 0, 0, 0x08);
    Keys({VK_LEFT, VK_RIGHT, VK_DOWN, 'Q'});
    in().PollKeyConfig(1, 60);
    EXPECT_EQ(in().wDir, 1 | 4);  // left over right, up over down
    EXPECT_EQ(in().nDirNum, 5 - 1 - 3);
    EXPECT_EQ(in().wButton, 1 | 2);
    // Fewer entries in use: buttons past nKeyNum are not read.
    KeyConfig.nKeyNum = 5;
    in().PollKeyConfig(1, 60);
    EXPECT_EQ(in().wButton, 1);
}

TEST_F(InputFixture, AbsentJoystickIsAskedAgainAfterTwiceTheWaitAndFoundWhenPluggedIn)
{
    // No pad: the first poll asks, the next 2 x 3 polls skip it, the seventh asks again.
    const int wait = 3;
    for (int frame = 0; frame < 7; ++frame) {
        in().PollDefault(0, 3, wait);
    }
    EXPECT_EQ(pads->QueryCount(0), 1);
    in().PollDefault(0, 3, wait);
    EXPECT_EQ(pads->QueryCount(0), 2);
    // Plugged in while skipped: found at the next retry, then asked every frame.
    pads->Set(0, 0, kCentre, 0);
    for (int frame = 0; frame < 6; ++frame) {
        in().PollDefault(0, 3, wait);
        EXPECT_EQ(in().wDir, 0) << frame;
    }
    in().PollDefault(0, 3, wait);
    EXPECT_EQ(in().wDir, DIR_LEFT);
    in().PollDefault(0, 3, wait);
    EXPECT_EQ(pads->QueryCount(0), 4);
    // Unplugged again: the keyboard alone counts until the retry.
    pads->Unplug(0);
    Keys({VK_RIGHT});
    in().PollDefault(0, 3, wait);
    EXPECT_EQ(in().wDir, DIR_RIGHT);
}

TEST_F(InputFixture, AnAbsentJoystickDoesNotHoldBackAWorkingOne)
{
    KeyConfig.bUseKeyConfig = 1;
    KeyConfig.nJoyNum = 2;
    KeyConfig.entries[4] = {0, 1};
    pads->Set(0, kCentre, kCentre, 1);
    for (int frame = 0; frame < 10; ++frame) {
        in().PollKeyConfig(1, 60);
        EXPECT_EQ(in().wButton, 1) << frame;
    }
    EXPECT_EQ(pads->QueryCount(0), 10);
    EXPECT_EQ(pads->QueryCount(1), 1);
}

TEST_F(InputFixture, EveryControllerNumberReadsControllerZero)
{
    EXPECT_EQ(&InputFor(0), &Input[0]);
    EXPECT_EQ(&InputFor(1), &Input[0]);
    EXPECT_EQ(&InputFor(-3), &Input[0]);
    EXPECT_EQ(Input.size(), 1u);
}

}  // namespace
