// Dialog templates: what a dialog resource holds (caption, size in dialog units, font and the list
// of its items), written out in code because the program carries no resource section.
//
// Plain data, any thread.
#pragma once

#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

// The kinds of dialog items the program's dialogs use.
enum class DlgItemKind {
    Picture,        // picture static without a picture: draws nothing, takes no focus
    Static,         // text
    GroupBox,       // frame with a title
    PushButton,     // sends BN_CLICKED
    DefPushButton,  // push button pressed by Enter wherever the focus is not on another button
    RadioButton,    // auto radio button: consecutive radio buttons form one group
    CheckBox,       // auto check box
    Edit            // single-line edit, bordered, scrolling horizontally
};

struct DlgItemTemplate {
    WORD id = 0;
    DlgItemKind kind = DlgItemKind::Static;
    std::string text;  // Shift-JIS
    // Position and size in dialog units, relative to the client area.
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
};

struct DlgTemplate {
    bool bCaption = false;  // a caption bar (the text is set at run time)
    short cx = 0;           // client size in dialog units
    short cy = 0;
    std::string fontFace;  // Shift-JIS face name
    int nPointSize = 9;
    std::vector<DlgItemTemplate> items;  // in tab order
};

// The em of the dialogs' text, in pixels (as a GDI font height: negative for an em): 10 pixels,
// so that the labels of the dialogs' layouts fit the fixed-width Japanese faces the host has.
constexpr int kDialogFontEm = -10;

// Dialog units to pixels for the 9-point UI font: 3 pixels per 2 horizontal units and 15 pixels
// per 8 vertical units (base units 6 x 15), rounded down.
constexpr int DialogUnitsToPixelsX(int units)
{
    return units * 3 / 2;
}
constexpr int DialogUnitsToPixelsY(int units)
{
    return units * 15 / 8;
}
