#include "screenbase/cMenuCursor.h"

#include <algorithm>

#include "input/cInput.h"

cMenuCursor MenuCursor;

cMenuCursor::cMenuCursor()
{
    Reset();
}

void cMenuCursor::Repoint()
{
    const int n = static_cast<int>(m_Stack.size());
    m_pCur = &m_Stack[n - 1];
    m_pPrev = n >= 2 ? &m_Stack[n - 2] : nullptr;
}

void cMenuCursor::Reset()
{
    m_Stack.resize(1);
    m_Stack[0] = CURSORPOS{};
    Repoint();
}

CURSORPOS* cMenuCursor::Push(int nMode)
{
    const bool bHadOne = !m_Stack.empty();
    const CURSORPOS below = bHadOne ? m_Stack.back() : CURSORPOS{};
    m_Stack.push_back(nMode == 1 && bHadOne ? below : CURSORPOS{});
    Repoint();
    return m_pPrev;
}

void cMenuCursor::Pop(int nMode)
{
    if (m_Stack.size() < 2) {
        return;
    }
    const CURSORPOS removed = m_Stack.back();
    m_Stack.pop_back();
    Repoint();
    if (nMode == 0) {
        *m_pCur = CURSORPOS{};
    } else if (nMode == 2) {
        *m_pCur = removed;
    }
}

void cMenuCursor::MoveGrid(const SHORT* pPad, int x0, int y0, int pitchX, int pitchY, int columns, int rows)
{
    if (columns < 0 || rows < 0) {
        return;
    }
    CURSORPOS& cur = *m_pCur;
    const SHORT pad = pPad != nullptr ? *pPad : 0;
    if (pad & DIR_LEFT) {
        --cur.nCol;
    } else if (pad & DIR_RIGHT) {
        ++cur.nCol;
    }
    if (pad & DIR_UP) {
        --cur.nRow;
    } else if (pad & DIR_DOWN) {
        ++cur.nRow;
    }
    if (cur.nRow < 0) {
        cur.nRow = rows - 1;
    } else if (cur.nRow >= rows) {
        cur.nRow = 0;
    }
    if (cur.nCol < 0) {
        cur.nCol = columns - 1;
    } else if (cur.nCol >= columns) {
        cur.nCol = 0;
    }
    cur.x = x0 + pitchX * cur.nCol;
    cur.y = y0 + pitchY * cur.nRow;
}

void cMenuCursor::MoveList(const SHORT* pPad, int bVertical, int* pTop, int origin, int pitch, int fixed, int visible,
                           int total, int bPage)
{
    int nTopStore = 0;
    int& top = pTop != nullptr ? *pTop : nTopStore;
    CURSORPOS& cur = *m_pCur;
    int& index = bVertical == 1 ? cur.nRow : cur.nCol;
    const SHORT pad = pPad != nullptr ? *pPad : 0;
    if (pad & DIR_UP) {
        if (index - top <= 0) {
            --top;
        }
        --index;
    } else if (pad & DIR_DOWN) {
        if (index - top >= visible - 1) {
            ++top;
        }
        ++index;
    }
    if (bPage == 1) {
        if (pad & DIR_RIGHT) {
            if (top == total - visible) {
                index = total - 1;
            } else {
                top += visible - 1;
                index += visible - 1;
            }
        } else if (pad & DIR_LEFT) {
            if (top == 0) {
                index = 0;
            } else {
                top -= visible - 1;
                index -= visible - 1;
            }
        }
    }
    index = std::max(std::min(index, total - 1), 0);
    top = std::max(std::min(top, std::max(total - visible, 0)), 0);
    if (bVertical == 1) {
        cur.y = origin + pitch * (index - top);
        cur.x = fixed;
    } else {
        cur.x = origin + pitch * (index - top);
        cur.y = fixed;
    }
}
