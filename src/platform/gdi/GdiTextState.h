// The text settings of each DC (colour and background mode), kept beside the DC objects.
//
// Entries of DCs that no longer exist are swept away as new DCs appear, so the table stays as
// small as the number of live DCs that had a setting changed. Thread-safe.
#pragma once

#include "platform/gdi/GdiText.h"

struct GdiTextState {
    COLORREF textColor = 0;  // black
    int bkMode = OPAQUE;
};

// The settings of a DC (the defaults when none was set).
GdiTextState GdiGetTextState(HDC hdc);
// Stores the settings of a live DC.
void GdiSetTextState(HDC hdc, const GdiTextState& state);
// Entries kept now (tests check that dead DCs do not pile up).
size_t GdiTextStateCount();
