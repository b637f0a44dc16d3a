// The cursor of every menu: a stack of cursor positions, so that a sub-menu keeps its parent's
// cursor below its own. One global instance, MenuCursor, for the whole run; each screen's Init and
// each fade-out reset it. Game thread (or the stage's nested-loop thread while the game thread
// waits).
#pragma once

#include "core/cVector.h"
#include "platform/win/WinTypes.h"

struct CURSORPOS {
    int nCol = 0;  // column index
    int nRow = 0;  // row index
    int x = 0;     // pixel position of the cursor icon
    int y = 0;
};

class cMenuCursor {
public:
    cMenuCursor();
    cMenuCursor(const cMenuCursor&) = delete;
    cMenuCursor& operator=(const cMenuCursor&) = delete;

    // One zeroed element.
    void Reset();
    // Opens a sub-menu: a zeroed element on top (nMode 1: a copy of the one below). Returns the
    // element below the new top.
    CURSORPOS* Push(int nMode);
    // Closes a sub-menu when there is one: nMode 0 zeroes the element that becomes the top, 1
    // keeps it, 2 gives it the closed element's values. With one element nothing happens.
    void Pop(int nMode);
    // A grid of columns x rows at (x0, y0) with the given pitches, moved by the pad word (bit 0
    // left, 1 right, 2 up, 3 down); both indexes wrap around. Nothing when a count is negative.
    void MoveGrid(const SHORT* pPad, int x0, int y0, int pitchX, int pitchY, int columns, int rows);
    // A scrolling list of total entries with visible of them shown from *pTop on: up and down move
    // by one (bVertical: rows, else columns), with bPage right and left move a page; the ends stop
    // the cursor. The position is origin + pitch x (index - *pTop) along the list and fixed across.
    void MoveList(const SHORT* pPad, int bVertical, int* pTop, int origin, int pitch, int fixed, int visible, int total,
                  int bPage);

    CURSORPOS* m_pCur = nullptr;   // the top of the stack
    CURSORPOS* m_pPrev = nullptr;  // the element below it, or null
    cVector<CURSORPOS> m_Stack;

private:
    void Repoint();
};

extern cMenuCursor MenuCursor;
