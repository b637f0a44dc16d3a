// cPadScript: controller 0 played from a script instead of the keyboard and the joysticks, one
// held mask per game-thread frame. Scripts drive headless runs of the program (QB_INPUT) and the
// tests' play harness, through the same reading and the same application to the controller.
//
// The text form: one line per frame holding the controller's bit mask in decimal; an empty line
// holds nothing; after the last line nothing is held. Bits 0..3 are the directions left, right,
// up and down (DIR_*), bits 4..11 buttons 1..8. A carriage return before the line feed is
// allowed; anything else that is not such a number is refused with its line number.
//
// Game thread (read on the main thread before the game thread starts).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "input/cInput.h"

class cPadScript {
public:
    // Bits of the direction word below the buttons, and the largest mask.
    static constexpr int kDirBits = 4;
    static constexpr int kMaxMask = 0xFFF;
    // Longest script read (frames); a longer file is refused instead of filling the memory.
    static constexpr std::size_t kMaxFrames = 1u << 22;

    // Reads the script from the text. false (and the number of the first bad line in
    // *lpBadLine when given) when a line is not a mask or there are too many lines; the script
    // is then empty.
    bool Parse(std::string_view text, int* lpBadLine = nullptr);
    // Reads the script from a file (a game path). false when it cannot be read or Parse refuses it.
    bool Load(const char* szPath, int* lpBadLine = nullptr);
    // The script from masks directly (tests); values outside 0..kMaxMask keep their low 12 bits.
    void SetMasks(std::vector<int> masks);

    // The mask of the next frame, advancing to the one after; 0 after the last line.
    int Next();
    // Frames taken so far (at most Frames()), and frames in the script.
    int Position() const { return static_cast<int>(m_nNext); }
    int Frames() const { return static_cast<int>(m_masks.size()); }

    // The controller as the mask holds it: wDir from bits 0..3, wButton from bits 4..11.
    static void Apply(cInput& input, int mask);
    // The mask of a direction word and a button word.
    static int MaskOf(SHORT wDir, SHORT wButton);

private:
    std::vector<int> m_masks;
    std::size_t m_nNext = 0;
};
