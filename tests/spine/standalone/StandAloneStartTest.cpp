// A program form created by a program that is not the work center starts on its own: it logs in to a
// work-center manager of its own with the development login. This program's name ("tdef05-...")
// carries the program id, as the program's own executable would.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "programs/tdef05/Tdef05Form.h"
#include "server/Brokers.h"
#include "tests/testkit/ScriptedApp.h"
#include "tests/testkit/TestInstallation.h"
#include "toolkit/os/Paths.h"
#include "toolkit/ui/kernel/Application.h"

TEST(StandAloneStart, LogsInWithTheDevelopmentLoginAndStartsTheProgram) {
    TTestInstallation install;
    TScriptedApp app;
    TComponentRef<TfrmTdef05> form(CreateComponent<TfrmTdef05>(nullptr));
    EXPECT_FALSE(form->StartFailed);
    EXPECT_FALSE(form->IsHosted());
    EXPECT_EQ(form->LibraryPath, ExecutableFileName());
    EXPECT_EQ(form->ProgramId(), "TDEF05");
    EXPECT_EQ(form->Brokers->UserId, "DS");
    EXPECT_EQ(form->Brokers->CompanyId, "DEMO");
    EXPECT_EQ(form->Brokers->DatabaseName, "DEMO");
    EXPECT_EQ(form->Caption(), "文档信息录入作业[演示公司]");
    EXPECT_TRUE(form->ExtraStartValue.IsArray());
    EXPECT_EQ(form->ExtraStartValue.Count(), 0);
    EXPECT_EQ(Application->HintPause(), 100);
    EXPECT_EQ(Application->HintHidePause(), 500000);
    EXPECT_TRUE(app.ShownTexts().empty()) << ::testing::PrintToString(app.ShownTexts());
    form->Show();
    Application->ProcessMessages();
    EXPECT_TRUE(form) << "a started window stays after its first paint";
    form->Free();
}

TEST(StandAloneStart, WithoutAWorkCenterItSaysWhyAndClosesOnItsFirstPaint) {
    const char* saved = std::getenv("VANDRIL_REGISTRY");
    const std::string savedValue = saved ? saved : "";
    unsetenv("VANDRIL_REGISTRY");
    TScriptedApp app;
    TComponentRef<TfrmTdef05> form(CreateComponent<TfrmTdef05>(nullptr));
    EXPECT_TRUE(form->StartFailed);
    ASSERT_EQ(app.Messages().Count(), 1);
    const TShownMessage& box = app.Messages().Last();
    EXPECT_EQ(box.Kind, TShownMessage::Box);
    EXPECT_EQ(box.Caption, "Error!!");
    EXPECT_EQ(box.Text, "Invalid class string: TorvaneWorkCenter.Manager");
    EXPECT_EQ(box.Flags & 0xF0, MB_ICONERROR);

    form->Show();
    Application->ProcessMessages();
    EXPECT_FALSE(form) << "the window closes itself when it first paints";
    if (saved) setenv("VANDRIL_REGISTRY", savedValue.c_str(), 1);
}
