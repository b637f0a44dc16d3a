// Fixture of the input tests: a fresh controller, the default key configuration, no key down, and
// a scripted joystick source that the test plugs pads into.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "input/KeyConfig.h"
#include "input/cInput.h"
#include "platform/win/Keyboard.h"
#include "platform/win/ScriptedJoysticks.h"

namespace inputtest {

class InputFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseAllKeys();
        SetDefaultKeyConfig(KeyConfig);
        ResetInput();
        auto source = std::make_unique<ScriptedJoysticks>();
        pads = source.get();
        SetJoystickSource(std::move(source));
    }
    void TearDown() override
    {
        ReleaseAllKeys();
        SetDefaultKeyConfig(KeyConfig);
        ResetInput();
        SetJoystickSource(nullptr);
    }
    static void Keys(std::initializer_list<int> down)
    {
        ReleaseAllKeys();
        for (int vk : down) {
            SetKeyState(vk, true);
        }
    }
    cInput& in() { return Input[0]; }

    ScriptedJoysticks* pads = nullptr;
};

}  // namespace inputtest
