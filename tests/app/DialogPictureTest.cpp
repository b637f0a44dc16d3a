// The dialogs as the screen driver draws them and hit-tests clicks: the picture's size from the
// dialog units, clicks at the painted items reaching those items, and typed text and the input
// method's composition showing in the edit.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/DialogResources.h"
#include "app/StartupDrawMode.h"
#include "app/SystemIni.h"
#include "app/cBootData.h"
#include "app/cNameDialog.h"
#include "core/TextHelpers.h"
#include "platform/host/DialogPainter.h"
#include "platform/win/DialogDriver.h"
#include "scenes/cOptionData.h"
#include "scenes/cSceneManager.h"
#include "support/RecordFileTest.h"

namespace {

// Answers a dialog by running a test function over it.
class FunctionDriver : public DialogDriver {
public:
    std::function<void(DialogRun&)> body;
    void Run(DialogRun& dialog) override { body(dialog); }
};

// Dark pixels (every channel below half) of a picture inside a rectangle: text and caret.
int InkIn(const HostFrame& picture, int x, int y, int w, int h)
{
    int ink = 0;
    for (int row = y; row < y + h; ++row) {
        for (int col = x; col < x + w; ++col) {
            const std::uint32_t c = picture.At(col, row);
            ink += ((c >> 16) & 0xFF) < 0x80 && ((c >> 8) & 0xFF) < 0x80 && (c & 0xFF) < 0x80 ? 1 : 0;
        }
    }
    return ink;
}

class DialogPictureTest : public testsupport::RecordFileTest {
protected:
    void SetUp() override
    {
        nDataVersion = kCurrentDataVersion;
        BootData = cBootData();
        SystemIni = SYSTEMINI();
        folder.Write("user_data\\keep.txt", "");
        SetDialogDriver(&driver);
    }
    void TearDown() override
    {
        SetDialogDriver(nullptr);
        BootData = cBootData();
        OptionData = cOptionData();
        SceneManager.m_nGameMode = 0;
    }

    FunctionDriver driver;
};

TEST_F(DialogPictureTest, ClicksAtThePaintedItemsChooseTheDrawingMode)
{
    int width = 0;
    int height = 0;
    driver.body = [&](DialogRun& dialog) {
        const HostFrame picture = PaintDialog(dialog);
        width = picture.width;
        height = picture.height;
        // The centre of each item's rectangle, from its dialog units, below the caption bar.
        for (const WORD id : {IDC_BOOT_DIRECTDRAW, IDC_BOOT_NO_DIALOG, IDC_BOOT_START}) {
            for (const DlgItemTemplate& item : dialog.Template().items) {
                if (item.id == id) {
                    const int x = (item.x + item.cx / 2) * 3 / 2;
                    const int y = kCaptionHeight + (item.y + item.cy / 2) * 15 / 8;
                    dialog.Click(DialogItemAt(dialog, x, y));
                }
            }
        }
    };
    SYSTEMINI ini;
    ini.Direct3D = 2;
    ASSERT_TRUE(ChooseStartDrawMode(ini, POINT{0, 0}));
    EXPECT_EQ(ini.Direct3D, 0);
    EXPECT_EQ(BootData.bNoDialog, 1);
    EXPECT_EQ(width, 222 * 3 / 2);
    EXPECT_EQ(height, kCaptionHeight + 171 * 15 / 8);
}

TEST_F(DialogPictureTest, TheEditShowsTheTypedNameAndTheComposition)
{
    SceneManager.m_nGameMode = GAMEMODE_OPTION;
    OptionData.strRankingName = "";
    std::vector<HostFrame> pictures;
    driver.body = [&](DialogRun& dialog) {
        pictures.push_back(PaintDialog(dialog));
        dialog.TextInput("あいう");
        pictures.push_back(PaintDialog(dialog));
        dialog.TextEditing("え");
        pictures.push_back(PaintDialog(dialog));
        dialog.CloseRequest();
    };
    cNameDialog dialog(POINT{0, 0}, false);
    dialog.DoModal(0);
    ASSERT_EQ(pictures.size(), 3U);
    // The edit's inside (75, 12, 24, 14 in dialog units, less its border), no caption bar.
    const int x = 75 * 3 / 2 + 2;
    const int y = 12 * 15 / 8 + 2;
    const int w = 24 * 3 / 2 - 4;
    const int h = 14 * 15 / 8 - 4;
    const int empty = InkIn(pictures[0], x, y, w, h);
    const int typed = InkIn(pictures[1], x, y, w, h);
    EXPECT_GT(typed, empty + 20);
    EXPECT_NE(pictures[2].pixels, pictures[1].pixels);
    EXPECT_EQ(pictures[0].width, 110 * 3 / 2);
    EXPECT_EQ(pictures[0].height, 65 * 15 / 8);
}

}  // namespace
