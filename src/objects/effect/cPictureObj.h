// cPictureObj: a bitmap of the Picture database shown at a place of the field, or fixed on the
// screen, made by the picture command. The stage keeps them in its picture list, drawn in their
// layer every frame (PictureObjDraw.h), until their time is over, the picture command erases
// them, or the stage ends. The picture's surface is owned here and released with the last copy.
// Game thread.
#pragma once

#include <cstdint>
#include <memory>

struct DDSURFACEDATA;

class cPictureObj {
public:
    std::int32_t number = 0;  // Picture database entry
    double x = 0.0;           // top-left, world pixels
    double y = 0.0;
    std::int32_t width = 0;  // drawn size
    std::int32_t height = 0;
    std::int32_t stretched = 0;        // 1: the size is not 100 %
    std::int32_t layer = 0;            // the drawing layer it is drawn in
    std::int32_t durationMode = 0;     // 0 until the advance key, 1 until the stage ends, 2 for a time
    std::int32_t framesLeft = 0;       // frames left in duration mode 2
    std::int32_t countDuringWait = 0;  // 1: framesLeft also counts while the play is paused
    std::int32_t screenFixed = 0;      // 1: stays at its screen position
    std::int32_t positionTaken = 0;    // 1 once that screen position has been taken
    std::int32_t screenX = 0;
    std::int32_t screenY = 0;
    std::int32_t hasId = 0;  // the picture carries an ID
    std::int32_t id = 0;
    std::shared_ptr<DDSURFACEDATA> surface;  // the loaded bitmap (released with the last owner)

    cPictureObj() = default;
    cPictureObj(int nNumber, double dX, double dY, int nWidth, int nHeight, int bScreenFixed, int nLayer,
                int nScalePercent, int nDurationMode, int nFrames, int bCountDuringWait, int bHasId, int nId);

    // One frame of the time: in duration mode 2 framesLeft counts down unless paused (or counting
    // during waits). 1 when the time is over (the caller removes the picture).
    int CountDown(int bPaused);
    // The screen position of this frame: the world position less the camera's (truncated
    // separately); a screen-fixed picture takes it at its first drawing and keeps it.
    void ScreenPosition(double dScrollX, double dScrollY, int& outX, int& outY);
};
