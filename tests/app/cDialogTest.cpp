// The dialog framework: commands reach a dialog one at a time, End stops the run at once, and the
// bindings show and read back their values in attach order.
#include <gtest/gtest.h>

#include <vector>

#include "app/cCheckBox.h"
#include "app/cDialog.h"
#include "app/cRadioButton.h"
#include "platform/win/DialogDriver.h"
#include "platform/win/ScriptedDialogDriver.h"

namespace {

constexpr WORD kFirst = 10;
constexpr WORD kSecond = 11;
constexpr WORD kCheck = 12;
constexpr WORD kRadioA = 13;
constexpr WORD kRadioB = 14;

DlgTemplate SmallTemplate()
{
    DlgTemplate t;
    t.cx = 100;
    t.cy = 60;
    t.items = {{kFirst, DlgItemKind::DefPushButton, "1", 0, 0, 20, 10},
               {kSecond, DlgItemKind::PushButton, "2", 30, 0, 20, 10},
               {kCheck, DlgItemKind::CheckBox, "c", 0, 20, 40, 10},
               {kRadioA, DlgItemKind::RadioButton, "a", 0, 40, 20, 10},
               {kRadioB, DlgItemKind::RadioButton, "b", 30, 40, 20, 10}};
    return t;
}

// Records every command; the first button clicks the check box from inside its own command, the
// second reads the controls back and ends the run.
class NestingDialog : public cDialog {
public:
    NestingDialog() : cDialog(1, SmallTemplate()) {}
    std::vector<WORD> commands;
    int check = 1;
    int radio = 0;

protected:
    void OnInitDialog() override
    {
        AddControl<cCheckBox>().Attach(*this, kCheck, &check);
        AddControl<cRadioButton>().Attach(*this, kRadioA, &radio, 7);
        AddControl<cRadioButton>().Attach(*this, kRadioB, &radio, 0);
        ToControls();
    }
    void OnCommand(WORD nId, WORD nCode) override
    {
        RouteCommand(nId, nCode);
        commands.push_back(nId);
        if (nId == kFirst) {
            Items().Click(kCheck);
        } else if (nId == kSecond) {
            FromControls();
            End(5);
        }
    }
};

class cDialogTest : public ::testing::Test {
protected:
    void SetUp() override { SetDialogDriver(&driver); }
    void TearDown() override { SetDialogDriver(nullptr); }
    ScriptedDialogDriver driver;
};

TEST_F(cDialogTest, ACommandArrivingWhileOneIsHandledIsDropped)
{
    driver.AddScript({DialogInput::Click(kFirst), DialogInput::Click(kSecond), DialogInput::Click(kFirst)});
    NestingDialog dialog;
    EXPECT_EQ(dialog.DoModal(0), 5);
    // The nested click's command is lost; the second button ends the run, and the click after it
    // reaches nothing.
    EXPECT_EQ(dialog.commands, (std::vector<WORD>{kFirst, kSecond}));
}

TEST_F(cDialogTest, BindingsShowAndReadBackTheirValues)
{
    driver.AddScript({DialogInput::Click(kCheck), DialogInput::Click(kRadioA), DialogInput::Click(kSecond)});
    NestingDialog dialog;
    dialog.check = 1;
    dialog.radio = 0;
    EXPECT_EQ(dialog.DoModal(0), 5);
    // Shown first: the check box ticked, the radio button of value 0 checked.
    EXPECT_EQ(driver.Shown()[0].checked, (std::vector<int>{kCheck, kRadioB}));
    EXPECT_EQ(dialog.check, 0);
    EXPECT_EQ(dialog.radio, 7);

    NestingDialog second;
    second.check = 1;
    second.radio = 0;
    EXPECT_EQ(second.DoModal(0), 0);  // no script: closed
    EXPECT_EQ(second.check, 1);       // nothing read back on close
    EXPECT_EQ(second.radio, 0);
}

}  // namespace
