// Key presses for the screen tests: each key is held for one frame and released for one, so that
// the menu key repeat and the one-shot buttons see one press per key. The bits are the controller's
// own (DIR_*, BUTTON_* of cInput.h).
#pragma once

#include <initializer_list>
#include <vector>

#include "input/cInput.h"
#include "support/ScreenHarness.h"

namespace menukeys {

using Key = testsupport::PadFrame;

inline Key Dir(SHORT dir)
{
    return Key{dir, 0};
}

inline Key Button(SHORT buttons)
{
    return Key{0, buttons};
}

// The keys pressed in turn.
inline std::vector<testsupport::PadFrame> Keys(const std::vector<Key>& keys)
{
    std::vector<testsupport::PadFrame> script;
    for (const Key& key : keys) {
        script.push_back(key);
        script.push_back(Key{});
    }
    return script;
}

// Presses the keys on the harness's current screen: two frames per key.
inline void Press(testsupport::ScreenHarness& harness, const std::vector<Key>& keys)
{
    harness.SetScript(Keys(keys));
    harness.RunFrames(static_cast<int>(keys.size()) * 2);
}

}  // namespace menukeys
