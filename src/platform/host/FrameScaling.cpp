#include "platform/host/FrameScaling.h"

#include <algorithm>
#include <cstdint>

HostRect ScaledRect(int windowW, int windowH, int frameW, int frameH)
{
    if (windowW <= 0 || windowH <= 0 || frameW <= 0 || frameH <= 0) {
        return {};
    }
    int w = 0;
    int h = 0;
    const int scale = std::min(windowW / frameW, windowH / frameH);
    if (scale >= 1) {
        w = frameW * scale;
        h = frameH * scale;
    } else if (std::int64_t{windowW} * frameH <= std::int64_t{windowH} * frameW) {
        // The width limits: full width, height by the aspect.
        w = windowW;
        h = static_cast<int>(std::int64_t{windowW} * frameH / frameW);
    } else {
        h = windowH;
        w = static_cast<int>(std::int64_t{windowH} * frameW / frameH);
    }
    return {(windowW - w) / 2, (windowH - h) / 2, w, h};
}
