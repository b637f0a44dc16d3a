// Draws the program's dialogs and its file chooser into pictures (0x00RRGGBB, as host frames),
// with the fonts the stand-in already has, and says which item a point of a picture falls on.
// The screen drivers show these pictures and pass the user's clicks back by item.
//
// Layout: dialog units become pixels by DialogUnitsToPixelsX/Y; a captioned dialog gets a caption
// bar of kCaptionHeight pixels above its client area. The file chooser is a fixed
// kChooserWidth x kChooserHeight picture: title, folder, a list of kChooserRows entries, the name
// field, the notice line and the OK and Cancel buttons; the overwrite question is drawn over it.
//
// Main thread (the pictures are the drivers' own).
#pragma once

#include <string>

#include "platform/hostapi/Host.h"
#include "platform/win/DialogRun.h"
#include "platform/win/FileChooser.h"

constexpr int kCaptionHeight = 20;
constexpr int kChooserWidth = 480;
constexpr int kChooserHeight = 360;
constexpr int kChooserRows = 12;

// The dialog as it stands: frame, caption, items, focus, the edit's text, selection, caret and
// the input method's composition.
HostFrame PaintDialog(const DialogRun& dialog);
// The item under (x, y) of PaintDialog's picture, 0 for none.
int DialogItemAt(const DialogRun& dialog, int x, int y);

// What a chooser driver adds to the chooser's own state: the highlighted entry and the first
// entry shown.
struct ChooserCursor {
    int selected = -1;  // index into the entries, -1 for none
    int top = 0;
    bool bNameFocused = true;
};
HostFrame PaintFileChooser(const FileChooser& chooser, const ChooserCursor& cursor);
// Hit areas of the chooser picture.
enum class ChooserArea { None, Entry, Name, Ok, Cancel, Yes, No };
ChooserArea FileChooserAreaAt(const FileChooser& chooser, const ChooserCursor& cursor, int x, int y, int& entry);
