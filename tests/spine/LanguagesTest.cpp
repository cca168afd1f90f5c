// The program window in the three languages of the interface: the code page of the client
// configuration picks the script and the language pack.
#include "tests/spine/SpineHost.h"
#include "toolkit/ui/kernel/Application.h"

TEST_F(SpineHost, ATraditionalInterfaceShowsTheWindowAndItsMessagesInTraditionalCharacters) {
    install.SetCodePages("950", "936");
    auto controller = StartedController();
    EXPECT_EQ(FormProperty(*controller, "Caption"), Variant("文檔信息錄入作業[演示公司]"));
    EXPECT_TRUE(app.ShownTexts().empty()) << ::testing::PrintToString(app.ShownTexts());

    // Coded messages from the host go through the "Language" tables.
    auto started = NewController();
    EXPECT_EQ(started->CreateProgram(TScriptedHost::StartParams("DS", "DEMO", "DEMO", false)), 0);
    ASSERT_EQ(app.Dialogs().size(), 1u);
    // Four blanks for the traditional interface, one before the arguments, six for the language mode.
    EXPECT_EQ(app.Dialogs()[0].Text, "作業啟動參數錯誤, 請從工作中心啟動本作業!" + std::string(11, ' '));
    EXPECT_EQ(app.Dialogs()[0].FontCharset, 136);
    EXPECT_EQ(app.Dialogs()[0].ButtonCaptions.at("OK"), "確定");
    Application->ProcessMessages();
}

TEST_F(SpineHost, AnEnglishInterfaceTakesTheProgramsEnglishNameAndTheEnglishPack) {
    install.SetCodePages("437", "936");
    auto controller = StartedController();
    EXPECT_EQ(FormProperty(*controller, "Caption"), Variant("Document Maintenance[演示公司]"));
    EXPECT_TRUE(app.ShownTexts().empty()) << ::testing::PrintToString(app.ShownTexts());
}
