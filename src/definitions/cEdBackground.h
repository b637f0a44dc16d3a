// cEdBackground: one background layer of the stage screen -- a picture tiled over the screen and
// moved with the camera (or by itself), or a plain fill with a palette colour. A stage holds a
// list of them; stage play draws layer 0 behind the field and layer 1 in front of it, in list
// order, each only while visible.
//
// In a file: the base part only (the raw members below for the file's version, then the picture's
// file name as the one string).
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"

class cEdBackground : public cDataRecord {
public:
    std::int32_t m_bVisible = 1;      // the background is drawn
    std::int32_t m_bFill = 0;         // 1: fill the screen with m_nFillColor instead of a picture
    std::int32_t m_nFillColor = 16;   // palette number 0..255 of the fill
    std::int32_t m_nLayer = 0;        // 0 behind the field, 1 in front of it
    double m_dSpeedX = 0.1;           // without auto-scroll: factor on the camera's x position;
                                      // with auto-scroll: pixels per frame
    double m_dSpeedY = 0.1;           // the same for y
    std::int32_t m_bAutoScrollX = 0;  // the background scrolls by itself horizontally
    std::int32_t m_bAutoScrollY = 0;  // the same vertically
    std::string m_strPicture;         // file name of the picture (Shift-JIS)
    double m_dOffsetX = 0.0;          // current auto-scroll offset, within the picture width
    double m_dOffsetY = 0.0;          // the same within the picture height

    // A new background: Reset.
    cEdBackground();

    // The members a file of version nVersion holds: from version 62 the ten raw members in the
    // order of the members above (without the picture); version 61 and older held fewer, followed
    // by two 4-byte values that are dropped (m_bVisible and the offsets are not stored there).
    void RegisterMembers(int nVersion) override;
    // Everything 0 or empty, then visible, fill colour 16 and both speeds 0.1. The loaders build
    // every new background this way.
    void Reset();

private:
    // Where the dropped values of old files go.
    std::int32_t m_nDropped = 0;
};
