#include "platform/host/DialogPainter.h"

#include <algorithm>
#include <memory>

#include "platform/gdi/FontFace.h"
#include "platform/win/CodePage.h"

namespace {

constexpr std::uint32_t kFace = 0xF0F0F0;
constexpr std::uint32_t kInk = 0x000000;
constexpr std::uint32_t kShadow = 0xA0A0A0;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kCaption = 0x2B579A;
constexpr std::uint32_t kFocus = 0x0078D7;
constexpr std::uint32_t kSelection = 0x99C9EF;
constexpr int kFontEm = kDialogFontEm;

class Canvas {
public:
    Canvas(int width, int height)
    {
        m_frame.width = width;
        m_frame.height = height;
        m_frame.pixels.assign(static_cast<std::size_t>(width) * height, kFace);
    }
    void Fill(int x, int y, int w, int h, std::uint32_t colour)
    {
        const int x0 = std::max(x, 0);
        const int y0 = std::max(y, 0);
        const int x1 = std::min(x + w, m_frame.width);
        const int y1 = std::min(y + h, m_frame.height);
        for (int row = y0; row < y1; ++row) {
            std::fill_n(m_frame.pixels.begin() + static_cast<long>(row) * m_frame.width + x0, std::max(x1 - x0, 0),
                        colour);
        }
    }
    void Frame(int x, int y, int w, int h, std::uint32_t colour, int thickness = 1)
    {
        Fill(x, y, w, thickness, colour);
        Fill(x, y + h - thickness, w, thickness, colour);
        Fill(x, y, thickness, h, colour);
        Fill(x + w - thickness, y, thickness, h, colour);
    }
    // Shift-JIS text with its cell's top-left corner at (x, y), clipped to the width; returns the
    // pen's end.
    int Text(FontFace& font, int x, int y, std::string_view sjis, std::uint32_t colour, int maxWidth = 1 << 20)
    {
        int end = x;
        for (const PlacedGlyph& placed : font.Layout(sjis)) {
            const GlyphImage& g = *placed.glyph;
            if (placed.penX + g.advance > maxWidth) {
                break;
            }
            for (int gy = 0; gy < g.height; ++gy) {
                for (int gx = 0; gx < g.width; ++gx) {
                    if (g.InkAt(gx, gy)) {
                        Fill(x + placed.penX + g.left + gx, y + g.top + gy, 1, 1, colour);
                    }
                }
            }
            end = x + placed.penX + g.advance;
        }
        return end;
    }
    HostFrame Take() { return std::move(m_frame); }

private:
    HostFrame m_frame;
};

FontFace& UiFont(const std::string& faceSjis)
{
    static std::string s_face;
    static std::shared_ptr<FontFace> s_font;
    if (!s_font || s_face != faceSjis) {
        s_face = faceSjis;
        s_font = FontFace::Create(faceSjis, kFontEm, 400);
    }
    return *s_font;
}

struct ItemBox {
    int x, y, w, h;
};

int ClientTop(const DialogRun& dialog)
{
    return dialog.Template().bCaption ? kCaptionHeight : 0;
}

ItemBox BoxOf(const DialogRun& dialog, const DlgItemTemplate& item)
{
    return ItemBox{DialogUnitsToPixelsX(item.x), ClientTop(dialog) + DialogUnitsToPixelsY(item.y),
                   DialogUnitsToPixelsX(item.cx), DialogUnitsToPixelsY(item.cy)};
}

void PaintEdit(Canvas& canvas, FontFace& font, const DialogRun& dialog, const DlgItemTemplate& item, const ItemBox& b,
               bool bFocused)
{
    canvas.Fill(b.x, b.y, b.w, b.h, kWhite);
    canvas.Frame(b.x, b.y, b.w, b.h, bFocused ? kFocus : kShadow);
    const std::string text = dialog.GetDlgItemText(item.id);
    int selStart = 0;
    int selEnd = 0;
    dialog.GetEditSel(item.id, selStart, selEnd);
    const int textY = b.y + (b.h - font.CellHeight()) / 2;
    const int left = b.x + 3;
    const int startX = left + font.TextWidth(std::string_view(text).substr(0, static_cast<std::size_t>(selStart)));
    const int endX = left + font.TextWidth(std::string_view(text).substr(0, static_cast<std::size_t>(selEnd)));
    if (bFocused && selEnd > selStart) {
        canvas.Fill(startX, textY, endX - startX, font.CellHeight(), kSelection);
    }
    const std::string before = text.substr(0, static_cast<std::size_t>(selEnd));
    int pen = canvas.Text(font, left, textY, before, kInk);
    if (bFocused && !dialog.Composition().empty()) {
        // The composition sits at the caret, underlined, until the input method commits it.
        std::string sjis;
        Utf8ToCp932(dialog.Composition(), sjis);
        const int compositionEnd = canvas.Text(font, pen, textY, sjis, kInk);
        canvas.Fill(pen, textY + font.CellHeight() - 1, compositionEnd - pen, 1, kInk);
        pen = compositionEnd;
    }
    if (bFocused) {
        canvas.Fill(pen, textY, 1, font.CellHeight(), kInk);
    }
    canvas.Text(font, pen, textY, std::string_view(text).substr(static_cast<std::size_t>(selEnd)), kInk);
}

void PaintMark(Canvas& canvas, const ItemBox& b, bool bRound, bool bChecked)
{
    const int size = std::min(b.h, 11);
    const int y = b.y + (b.h - size) / 2;
    canvas.Fill(b.x, y, size, size, kWhite);
    canvas.Frame(b.x, y, size, size, bRound ? kInk : kShadow);
    if (bChecked) {
        canvas.Fill(b.x + 3, y + 3, size - 6, size - 6, kInk);
    }
}

}  // namespace

HostFrame PaintDialog(const DialogRun& dialog)
{
    const DlgTemplate& tpl = dialog.Template();
    const int width = DialogUnitsToPixelsX(tpl.cx);
    const int height = ClientTop(dialog) + DialogUnitsToPixelsY(tpl.cy);
    Canvas canvas(width, height);
    FontFace& font = UiFont(tpl.fontFace);
    if (tpl.bCaption) {
        canvas.Fill(0, 0, width, kCaptionHeight, kCaption);
        canvas.Text(font, 6, (kCaptionHeight - font.CellHeight()) / 2, dialog.Caption(), kWhite, width - 12);
    }
    canvas.Frame(0, 0, width, height, kShadow);
    for (const DlgItemTemplate& item : tpl.items) {
        const ItemBox b = BoxOf(dialog, item);
        const std::string text = dialog.GetDlgItemText(item.id);
        const bool bFocused = dialog.Focus() == item.id && item.kind != DlgItemKind::Static;
        const int textY = b.y + (b.h - font.CellHeight()) / 2;
        switch (item.kind) {
        case DlgItemKind::Picture: break;
        // Labels may run past their item up to the dialog's edge, as faces differ in width.
        case DlgItemKind::Static: canvas.Text(font, b.x, b.y, text, kInk, width - b.x - 2); break;
        case DlgItemKind::GroupBox: {
            const int line = b.y + font.CellHeight() / 2;
            canvas.Frame(b.x, line, b.w, b.h - (line - b.y), kShadow);
            const int textWidth = font.TextWidth(text);
            canvas.Fill(b.x + 6, b.y, textWidth + 4, font.CellHeight(), kFace);
            canvas.Text(font, b.x + 8, b.y, text, kInk, b.w - 16);
            break;
        }
        case DlgItemKind::PushButton:
        case DlgItemKind::DefPushButton: {
            canvas.Fill(b.x, b.y, b.w, b.h, 0xE1E1E1);
            const bool bDefault = item.kind == DlgItemKind::DefPushButton;
            canvas.Frame(b.x, b.y, b.w, b.h, bFocused ? kFocus : (bDefault ? kInk : kShadow), bDefault ? 2 : 1);
            const int textWidth = std::min(font.TextWidth(text), b.w - 4);
            canvas.Text(font, b.x + (b.w - textWidth) / 2, textY, text, kInk, b.w - 4);
            break;
        }
        case DlgItemKind::RadioButton:
        case DlgItemKind::CheckBox: {
            PaintMark(canvas, b, item.kind == DlgItemKind::RadioButton, dialog.IsDlgButtonChecked(item.id) != 0);
            const int textX = b.x + 15;
            const int end = canvas.Text(font, textX, textY, text, kInk, width - textX - 2);
            if (bFocused) {
                canvas.Fill(textX, textY + font.CellHeight(), end - textX, 1, kFocus);
            }
            break;
        }
        case DlgItemKind::Edit: PaintEdit(canvas, font, dialog, item, b, bFocused); break;
        }
    }
    return canvas.Take();
}

int DialogItemAt(const DialogRun& dialog, int x, int y)
{
    for (const DlgItemTemplate& item : dialog.Template().items) {
        if (item.kind == DlgItemKind::Static || item.kind == DlgItemKind::Picture ||
            item.kind == DlgItemKind::GroupBox) {
            continue;
        }
        const ItemBox b = BoxOf(dialog, item);
        if (x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h) {
            return item.id;
        }
    }
    return 0;
}

namespace {

constexpr int kRowHeight = 18;
constexpr int kListTop = 48;
constexpr int kNameTop = kListTop + kChooserRows * kRowHeight + 8;
constexpr int kButtonTop = kChooserHeight - 34;
constexpr int kButtonWidth = 80;
constexpr ItemBox kOkBox{kChooserWidth - 2 * (kButtonWidth + 10), kButtonTop, kButtonWidth, 24};
constexpr ItemBox kCancelBox{kChooserWidth - (kButtonWidth + 10), kButtonTop, kButtonWidth, 24};
constexpr ItemBox kQuestionBox{60, 120, kChooserWidth - 120, 110};
constexpr ItemBox kYesBox{kChooserWidth / 2 - 90, 190, kButtonWidth, 24};
constexpr ItemBox kNoBox{kChooserWidth / 2 + 10, 190, kButtonWidth, 24};

bool Inside(const ItemBox& b, int x, int y)
{
    return x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h;
}

void Button(Canvas& canvas, FontFace& font, const ItemBox& b, std::string_view text, bool bDefault)
{
    canvas.Fill(b.x, b.y, b.w, b.h, 0xE1E1E1);
    canvas.Frame(b.x, b.y, b.w, b.h, bDefault ? kInk : kShadow, bDefault ? 2 : 1);
    canvas.Text(font, b.x + (b.w - font.TextWidth(text)) / 2, b.y + (b.h - font.CellHeight()) / 2, text, kInk);
}

const char* NoticeText(FileChooserNotice notice)
{
    switch (notice) {
    case FileChooserNotice::FileNotFound: return "File not found.";
    case FileChooserNotice::FolderNotFound: return "Folder not found.";
    case FileChooserNotice::InvalidName: return "Invalid file name.";
    case FileChooserNotice::None: break;
    }
    return "";
}

}  // namespace

HostFrame PaintFileChooser(const FileChooser& chooser, const ChooserCursor& cursor)
{
    Canvas canvas(kChooserWidth, kChooserHeight);
    FontFace& font = UiFont(std::string());
    canvas.Fill(0, 0, kChooserWidth, kCaptionHeight, kCaption);
    canvas.Text(font, 6, (kCaptionHeight - font.CellHeight()) / 2, chooser.Request().title, kWhite, kChooserWidth - 12);
    canvas.Frame(0, 0, kChooserWidth, kChooserHeight, kShadow);
    canvas.Text(font, 10, kCaptionHeight + 6, chooser.ShownFolder(), kInk, kChooserWidth - 20);

    canvas.Fill(10, kListTop, kChooserWidth - 20, kChooserRows * kRowHeight, kWhite);
    canvas.Frame(10, kListTop, kChooserWidth - 20, kChooserRows * kRowHeight, kShadow);
    const auto& entries = chooser.Entries();
    for (int row = 0; row < kChooserRows; ++row) {
        const int index = cursor.top + row;
        if (index < 0 || index >= static_cast<int>(entries.size())) {
            break;
        }
        const int y = kListTop + row * kRowHeight;
        if (index == cursor.selected) {
            canvas.Fill(11, y + 1, kChooserWidth - 22, kRowHeight - 2, cursor.bNameFocused ? 0xDDDDDD : kSelection);
        }
        const FindEntry& entry = entries[static_cast<std::size_t>(index)];
        const std::string label = entry.bDirectory ? "[" + entry.name + "]" : entry.name;
        canvas.Text(font, 16, y + (kRowHeight - font.CellHeight()) / 2, label, kInk, kChooserWidth - 40);
    }

    const ItemBox nameBox{10, kNameTop, kChooserWidth - 20, 22};
    canvas.Fill(nameBox.x, nameBox.y, nameBox.w, nameBox.h, kWhite);
    canvas.Frame(nameBox.x, nameBox.y, nameBox.w, nameBox.h, cursor.bNameFocused ? kFocus : kShadow);
    const int pen = canvas.Text(font, nameBox.x + 4, nameBox.y + (nameBox.h - font.CellHeight()) / 2, chooser.Name(),
                                kInk, nameBox.w - 8);
    if (cursor.bNameFocused) {
        canvas.Fill(pen, nameBox.y + 3, 1, nameBox.h - 6, kInk);
    }
    canvas.Text(font, 10, kNameTop + 28, chooser.Request().filterName, kShadow, kChooserWidth - 20);
    canvas.Text(font, 10, kButtonTop + 4, NoticeText(chooser.Notice()), 0xC00000, kOkBox.x - 20);
    Button(canvas, font, kOkBox, chooser.Request().bSave ? "Save" : "Open", true);
    Button(canvas, font, kCancelBox, "Cancel", false);

    if (chooser.AskingOverwrite()) {
        canvas.Fill(kQuestionBox.x, kQuestionBox.y, kQuestionBox.w, kQuestionBox.h, kFace);
        canvas.Frame(kQuestionBox.x, kQuestionBox.y, kQuestionBox.w, kQuestionBox.h, kInk, 2);
        canvas.Text(font, kQuestionBox.x + 12, kQuestionBox.y + 14, chooser.Name(), kInk, kQuestionBox.w - 24);
        canvas.Text(font, kQuestionBox.x + 12, kQuestionBox.y + 36, "already exists. Replace it?", kInk,
                    kQuestionBox.w - 24);
        Button(canvas, font, kYesBox, "Yes", false);
        Button(canvas, font, kNoBox, "No", true);
    }
    return canvas.Take();
}

ChooserArea FileChooserAreaAt(const FileChooser& chooser, const ChooserCursor& cursor, int x, int y, int& entry)
{
    entry = -1;
    if (chooser.AskingOverwrite()) {
        return Inside(kYesBox, x, y) ? ChooserArea::Yes : Inside(kNoBox, x, y) ? ChooserArea::No : ChooserArea::None;
    }
    if (Inside(kOkBox, x, y)) {
        return ChooserArea::Ok;
    }
    if (Inside(kCancelBox, x, y)) {
        return ChooserArea::Cancel;
    }
    if (Inside(ItemBox{10, kNameTop, kChooserWidth - 20, 22}, x, y)) {
        return ChooserArea::Name;
    }
    if (Inside(ItemBox{10, kListTop, kChooserWidth - 20, kChooserRows * kRowHeight}, x, y)) {
        const int index = cursor.top + (y - kListTop) / kRowHeight;
        if (index < static_cast<int>(chooser.Entries().size())) {
            entry = index;
            return ChooserArea::Entry;
        }
    }
    return ChooserArea::None;
}
