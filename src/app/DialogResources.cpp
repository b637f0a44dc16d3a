#include "app/DialogResources.h"

#include "core/TextHelpers.h"

namespace {

DlgItemTemplate Item(WORD id, DlgItemKind kind, const std::string& text, short x, short y, short cx, short cy)
{
    return DlgItemTemplate{id, kind, text, x, y, cx, cy};
}

}  // namespace

const DlgTemplate& BootDialogTemplate()
{
    static const DlgTemplate tpl = [] {
        DlgTemplate t;
        t.bCaption = true;
        t.cx = 222;
        t.cy = 171;
        t.fontFace = Sjis("ＭＳ Ｐゴシック");
        t.nPointSize = 9;
        t.items = {
            Item(IDC_PICTURE, DlgItemKind::Picture, "", 7, 7, 20, 21),
            Item(IDC_BOOT_START, DlgItemKind::DefPushButton, Sjis("ゲーム開始"), 80, 105, 50, 25),
            Item(IDC_BOOT_STOP, DlgItemKind::PushButton, Sjis("ゲーム中止"), 80, 140, 50, 18),
            Item(IDC_BOOT_GROUP, DlgItemKind::GroupBox, Sjis("描画モード"), 15, 15, 190, 55),
            Item(IDC_BOOT_DIRECT3D, DlgItemKind::RadioButton, "Direct3D", 20, 30, 42, 10),
            Item(IDC_BOOT_DIRECTDRAW, DlgItemKind::RadioButton, "DirectDraw", 80, 30, 45, 10),
            Item(IDC_BOOT_NOTE, DlgItemKind::Static, Sjis("詳細な設定は環境設定ファイル「System.ini」で行って下さい。"),
                 20, 50, 177, 12),
            Item(IDC_BOOT_NO_DIALOG, DlgItemKind::CheckBox, Sjis("次回からこのダイアログを表示しない"), 50, 85, 120,
                 10),
        };
        return t;
    }();
    return tpl;
}

const DlgTemplate& NameDialogTemplate()
{
    static const DlgTemplate tpl = [] {
        DlgTemplate t;
        t.bCaption = false;
        t.cx = 110;
        t.cy = 65;
        t.fontFace = Sjis("ＭＳ Ｐゴシック");
        t.nPointSize = 9;
        t.items = {
            Item(IDC_PICTURE, DlgItemKind::Picture, "", 7, 7, 20, 21),
            Item(IDC_NAME_EDIT, DlgItemKind::Edit, "", 75, 12, 24, 14),
            Item(IDC_NAME_OK, DlgItemKind::DefPushButton, "OK", 30, 35, 50, 18),
            Item(IDC_NAME_LABEL, DlgItemKind::Static, Sjis("登録名(3文字まで)"), 15, 15, 56, 16),
        };
        return t;
    }();
    return tpl;
}
