#include "platform/win/MessageBoxDialog.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/FontFace.h"
#include "platform/win/CodePage.h"
#include "platform/win/DialogRun.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"

namespace {

// Layout in dialog units.
constexpr short kMargin = 10;
constexpr short kLineHeight = 9;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kButtonGap = 6;
constexpr short kMinWidth = 120;

struct BoxButton {
    int id;
    const char* label;
};

std::vector<BoxButton> Buttons(UINT uType)
{
    switch (uType & 0x0F) {
    case MB_YESNO: return {{IDYES, "Yes"}, {IDNO, "No"}};
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
    }
}

int ClosedAnswer(UINT uType)
{
    switch (uType & 0x0F) {
    case MB_YESNO: return IDNO;
    case MB_OKCANCEL: return IDCANCEL;
    default: return IDOK;
    }
}

std::string DialogFace()
{
    std::string face;
    Utf8ToCp932("ＭＳ Ｐゴシック", face);
    return face;
}

FontFace& MeasuringFont()
{
    static const std::shared_ptr<FontFace> font = FontFace::Create(DialogFace(), kDialogFontEm, 400);
    return *font;
}

// Pixels to dialog units, rounded up so that the text fits.
short PixelsToUnitsX(int pixels)
{
    return static_cast<short>((pixels * 2 + 2) / 3);
}

// The text's lines: split at line ends, and wrapped (at the last space when there is one, else
// between characters) where a line would be wider than kMessageBoxTextWidth.
std::vector<std::string> Lines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string line;
    int lastSpace = -1;
    auto flush = [&] {
        lines.push_back(line);
        line.clear();
        lastSpace = -1;
    };
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\r') {
            ++i;
            continue;
        }
        if (text[i] == '\n') {
            flush();
            ++i;
            continue;
        }
        const std::size_t n = IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size() ? 2 : 1;
        const std::string ch(text.substr(i, n));
        if (!line.empty() && MeasuringFont().TextWidth(line + ch) > kMessageBoxTextWidth) {
            if (lastSpace > 0) {
                const std::string rest = line.substr(static_cast<std::size_t>(lastSpace) + 1);
                line.resize(static_cast<std::size_t>(lastSpace));
                flush();
                line = rest;
            } else {
                flush();
            }
        }
        if (ch == " ") {
            lastSpace = static_cast<int>(line.size());
        }
        line += ch;
        i += n;
    }
    lines.push_back(line);
    return lines;
}

}  // namespace

DlgTemplate MessageBoxTemplate(std::string_view textSjis, UINT uType)
{
    DlgTemplate tpl;
    tpl.bCaption = true;
    tpl.fontFace = DialogFace();
    const std::vector<std::string> lines = Lines(textSjis);
    short textWidth = 0;
    short y = kMargin;
    WORD id = kMessageBoxFirstLineId;
    for (const std::string& line : lines) {
        const short width = PixelsToUnitsX(MeasuringFont().TextWidth(line));
        textWidth = std::max(textWidth, width);
        tpl.items.push_back({id++, DlgItemKind::Static, line, kMargin, y, width, kLineHeight});
        y = static_cast<short>(y + kLineHeight);
    }
    const std::vector<BoxButton> buttons = Buttons(uType);
    const short rowWidth = static_cast<short>(buttons.size() * kButtonWidth + (buttons.size() - 1) * kButtonGap);
    tpl.cx = std::max<short>(
        {kMinWidth, static_cast<short>(textWidth + 2 * kMargin), static_cast<short>(rowWidth + 2 * kMargin)});
    const short buttonY = static_cast<short>(y + kMargin);
    const std::size_t defaultButton = (uType & 0xF00) == MB_DEFBUTTON2 && buttons.size() > 1 ? 1 : 0;
    short x = static_cast<short>((tpl.cx - rowWidth) / 2);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const DlgItemKind kind = i == defaultButton ? DlgItemKind::DefPushButton : DlgItemKind::PushButton;
        tpl.items.push_back(
            {static_cast<WORD>(buttons[i].id), kind, buttons[i].label, x, buttonY, kButtonWidth, kButtonHeight});
        x = static_cast<short>(x + kButtonWidth + kButtonGap);
    }
    tpl.cy = static_cast<short>(buttonY + kButtonHeight + kMargin / 2 + 2);
    return tpl;
}

int RunMessageBoxDialog(DialogDriver& driver, std::string_view textSjis, std::string_view captionSjis, UINT uType)
{
    const DlgTemplate tpl = MessageBoxTemplate(textSjis, uType);
    DialogRun box(tpl);
    box.SetCaption(captionSjis);
    box.SetCommandHandler([&box](WORD id, WORD code) {
        if (code == BN_CLICKED && id < kMessageBoxFirstLineId) {
            box.End(id);
        }
    });
    box.SetCloseHandler([&box, uType] { box.End(ClosedAnswer(uType)); });
    for (const DlgItemTemplate& item : tpl.items) {
        if (item.kind == DlgItemKind::DefPushButton) {
            box.SetFocus(item.id);
        }
    }
    // Centred on the screen: the outer frame is the client area with the dialog frame and the
    // caption around it.
    const int outerWidth = DialogUnitsToPixelsX(tpl.cx) + 2 * GetSystemMetrics(SM_CXDLGFRAME);
    const int outerHeight =
        DialogUnitsToPixelsY(tpl.cy) + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    box.SetPosition(POINT{std::max(0, (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2),
                          std::max(0, (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2)});
    driver.Run(box);
    return box.Ended() ? box.Result() : 0;
}
