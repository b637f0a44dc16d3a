// cTextObj: a text, a small icon or nothing at all (a timer) shown on the screen of a running
// stage. The message command makes text objects from its text (with '#' escapes that show
// variable values), the player's item pickup and the extra-life popup make icon objects, and the
// game wait a timer. The stage keeps them in its text list (cStageField::m_TextList), steps and
// draws them in list order every frame and deletes one when its step says so.
//
// Stepping (duration, refresh, position, clamp) is in cTextObj.cpp; measuring, the object's own
// surface and the drawing are in TextObjDraw.cpp. Game thread (and the stage's wait loop while
// the game thread waits for it).
#pragma once

#include <cstdint>
#include <string>

struct DDSURFACEDATA;

// The values a text object is made (or reset) with.
struct TEXTOBJPARAMS {
    int nKind = 0;  // 0 timer, 1 text, 2 palette icon, 3 built-in icon
    std::string strText;
    int nIconSheet = 0;
    int nIconIndex = 0;
    int nIconSub = 0;
    int nPosMode = 0;  // 0..8, see cTextObj::nPosMode
    int nCellX = 0;
    int nCellY = 0;
    int nDotX = 0;
    int nDotY = 0;
    int bClamp = 0;
    int bScreenFixed = 0;
    int nDurationMode = 0;  // 0 until the advance key, 1 until the stage ends, 2 nRemaining frames
    int nRemaining = 0;
    int bCountDuringWait = 0;
    int nAnchor = 0;  // object number of the character it is attached to; kNoAnchor for none
    int bContinuation = 0;
    int bExpand = 0;
    int bRefresh = 0;
    int nRefreshPeriod = 0;
    int bWindow = 0;
    int bHasId = 0;
    int nId = 0;
};

class cTextObj {
public:
    static constexpr int kNoAnchor = -1;
    // Position modes: 0 screen centre; 1..3 above, below, on the commanding character; 4..6 the
    // same on the hero; 7 screen coordinates; 8 stage coordinates.
    static constexpr int kPosModeCount = 9;

    DDSURFACEDATA* lpTextSurface = nullptr;  // kind 1: the rendered text; owned by the text surface list
    int nKind = 0;
    std::string strText;    // as shown (escapes expanded)
    std::string strSource;  // before expansion
    int nIconSheet = 0;
    int nIconIndex = 0;
    int nIconSub = 0;
    int bExpand = 0;
    int bRefresh = 0;
    int nRefreshPeriod = 0;  // frames
    int bWindow = 0;
    int nPosMode = 0;
    int nCellX = 0;
    int nCellY = 0;
    int nDotX = 0;  // pixels
    int nDotY = 0;
    int nWidth = 0;  // pixels: the measured text + 2, or 16 for icons
    int nHeight = 0;
    int bClamp = 0;
    int nDurationMode = 0;
    int bScreenFixed = 0;
    int bPosStored = 0;
    int nStoredX = 0;
    int nStoredY = 0;
    int bHasId = 0;
    int nId = 0;
    int nAnchor = kNoAnchor;
    int nRemaining = 0;  // frames left in duration mode 2
    int bCountDuringWait = 0;
    int bOpening = 0;  // the window-opening animation is to be played
    double dOpening = 0.0;
    int nScreenX = 0;  // where the last step placed it on the screen
    int nScreenY = 0;

    cTextObj() = default;
    // Setup with a new surface.
    explicit cTextObj(const TEXTOBJPARAMS& params);

    // Stores the values; both texts take params.strText; the shown one is expanded when asked;
    // kind 1 is measured (others are 16 x 16); the opening animation is to be played only for a
    // text shown until the advance key that does not continue a conversation; kind 1 gets its
    // surface (a new one unless bReuseSurface) and is rendered into it.
    void Setup(const TEXTOBJPARAMS& params, bool bReuseSurface);
    // The timer of the game wait: kind 0, nFrames frames, screen-fixed, counted during the wait.
    static cTextObj MakeTimer(int nFrames);
    // The icon of an item pickup (kind 2) or of an extra life (kind 3): above the hero, 30 frames.
    static TEXTOBJPARAMS IconParams(int nKind, int nSheet, int nIndex, int nSub, int nHeroSource);

    // Replaces every '#' escape naming a common ("#C5") or stage ("#S7") variable by its value,
    // formatted by the escape's "_" part (minimum width digit, P plus sign, Z leading zeros);
    // a '.' ending the escape goes with it. Escapes of variables that do not exist stay as text.
    // Shift-JIS aware.
    static void ExpandEscapes(std::string& text);

    // One frame's step: duration, periodic refresh (nFrame: the stage's play-frame counter),
    // position with the screen-fixed rule and the clamp. 1 when the object ends now (its surface
    // is released then); 0 while it lives.
    int Step(int bInWait, int nFrame);

    // Drawing side (TextObjDraw.cpp).
    // Width and height of the text with Font16, each + 2.
    static void MeasureText(const std::string& text, int& nWidth, int& nHeight);
    // A surface of the object's size in the text surface list; false when it cannot be made (the
    // program is then closed). Without a drawing back-end there is none to make: true, and the
    // object has no surface.
    bool CreateSurface();
    // The shown text into the surface (in a message window when bWindow).
    void Render();
    // Releases the surface (nothing for kinds without one).
    void ReleaseSurface();
    // Draws the object at its stepped position into target.
    void Draw(DDSURFACEDATA* target);

private:
    // The position before the screen-fixed rule; false when the anchor no longer exists.
    bool ComputePosition(int& x, int& y) const;
    void Refresh(int nFrame);
};
