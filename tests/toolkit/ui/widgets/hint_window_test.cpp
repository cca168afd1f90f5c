// The application's hints: shown after the pause in the hint window below the mouse, following the
// mouse over the control, gone when the mouse leaves, a button goes down, the hide pause passes or
// the application's hints are off.
#include <gtest/gtest.h>

#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/HintTracker.h"
#include "toolkit/ui/widgets/HintWindow.h"
#include "toolkit/ui/widgets/Panel.h"

namespace {

class HintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ApplicationHints().Cancel();
        form = CreateComponent<TForm>(Application);
        panel = CreateComponent<TPanel>(form);
        panel->SetParent(form);
        panel->SetHint("工具栏");
        panel->SetShowHint(true);
        save = Button("btnSave", "保存|保存单据 (F12)");
        quiet = Button("btnQuiet", "");
        Application->SetHintPause(100);
        Application->SetHintShortPause(50);
        Application->SetHintHidePause(2000);
        Application->SetShowHint(true);
    }
    void TearDown() override {
        ApplicationHints().Cancel();
        form->Free();
        Application->SetHintPause(500);
        Application->SetHintShortPause(50);
        Application->SetHintHidePause(2500);
        Application->SetShowHint(true);
    }
    TButton* Button(const std::string& name, const std::string& hint) {
        auto* button = CreateComponent<TButton>(form);
        button->SetName(name);
        button->SetParent(panel);
        button->SetHint(hint);
        button->SetParentShowHint(false);
        button->SetShowHint(!hint.empty());
        return button;
    }
    THintTracker& hints = ApplicationHints();
    THintWindow& window = ApplicationHints().Window();
    TForm* form = nullptr;
    TPanel* panel = nullptr;
    TButton* save = nullptr;
    TButton* quiet = nullptr;
};

TEST_F(HintTest, TheHintShowsAfterThePauseBelowTheMouseAndFollowsIt) {
    hints.MouseMove(save, {300, 200}, 1000);
    hints.Tick(1099);
    EXPECT_FALSE(window.Active()) << "not before HintPause";
    hints.Tick(1100);
    ASSERT_TRUE(window.Active());
    EXPECT_EQ(window.Caption(), "保存") << "the short part of the hint";
    EXPECT_EQ(window.Left(), 300);
    EXPECT_EQ(window.Top(), 200 + THintTracker::kPointerHeight);
    EXPECT_GT(window.Width(), 0);
    EXPECT_GT(window.Height(), 0);
    EXPECT_EQ(hints.HintControl(), save);

    // Over the same control the window moves with the mouse and keeps showing.
    hints.MouseMove(save, {320, 207}, 1300);
    EXPECT_TRUE(window.Active());
    EXPECT_EQ(window.Left(), 320);
    EXPECT_EQ(window.Top(), 207 + THintTracker::kPointerHeight);
    // A hint that changes under the mouse (a list's item) shows its new text at once.
    save->SetHint("关闭");
    hints.MouseMove(save, {321, 207}, 1310);
    EXPECT_EQ(window.Caption(), "关闭");

    // HintHidePause after it appeared it goes, and stays away while the mouse stays on the control.
    hints.Tick(3099);
    EXPECT_TRUE(window.Active());
    hints.Tick(3100);
    EXPECT_FALSE(window.Active());
    hints.MouseMove(save, {330, 207}, 3200);
    hints.Tick(4000);
    EXPECT_FALSE(window.Active());
}

TEST_F(HintTest, LeavingPressingOrSwitchingHintsOffHidesTheHint) {
    hints.MouseMove(save, {10, 10}, 0);
    hints.Tick(100);
    ASSERT_TRUE(window.Active());
    // A control without ShowHint shows its parent's hint; right after another hint only the short pause.
    hints.MouseMove(quiet, {90, 10}, 200);
    EXPECT_FALSE(window.Active());
    EXPECT_EQ(hints.HintControl(), panel);
    hints.Tick(249);
    EXPECT_FALSE(window.Active());
    hints.Tick(250);
    ASSERT_TRUE(window.Active());
    EXPECT_EQ(window.Caption(), "工具栏");

    // Off the windows: gone.
    hints.MouseMove(nullptr, {900, 900}, 300);
    EXPECT_FALSE(window.Active());
    EXPECT_EQ(hints.HintControl(), nullptr);

    // A button pressed takes it away; the next one waits the whole pause again.
    hints.MouseMove(save, {10, 10}, 10000);
    hints.Tick(10100);
    ASSERT_TRUE(window.Active());
    hints.Cancel();
    EXPECT_FALSE(window.Active());

    // A control whose ShowHint is off, under a parent that shows none: nothing.
    panel->SetShowHint(false);
    hints.MouseMove(quiet, {90, 10}, 20000);
    hints.Tick(30000);
    EXPECT_FALSE(window.Active());

    // The application's ShowHint off: no hint at all, and a showing one goes.
    hints.MouseMove(save, {10, 10}, 40000);
    hints.Tick(40100);
    ASSERT_TRUE(window.Active());
    Application->SetShowHint(false);
    hints.Tick(40110);
    EXPECT_FALSE(window.Active());
    hints.MouseMove(save, {12, 10}, 40200);
    hints.Tick(50000);
    EXPECT_FALSE(window.Active());
}

TEST_F(HintTest, TheWindowIsAsLargeAsItsLines) {
    const TRect one = window.CalcHintRect(400, "保存");
    const TRect two = window.CalcHintRect(400, "保存\r\n取消并关闭");
    EXPECT_EQ(one.Left, 0);
    EXPECT_GT(two.Height(), one.Height());
    EXPECT_GT(two.Width(), one.Width());
    EXPECT_LE(window.CalcHintRect(50, std::string(200, 'x')).Width(), 50 + 8);
    EXPECT_FALSE(window.CanFocus());
}

}  // namespace
