// Message boxes as a user sees them: sized to their whole text and their buttons, the suite's
// Chinese captions, plain dialogs without minimise and maximise buttons.
#include <QTest>

#include "tests/qt/MessageBoxLook.h"
#include "tests/qt/QtTestSupport.h"
#include "toolkit/qt/QtMessageService.h"
#include "toolkit/ui/dialogs/Dialogs.h"

using MessageBoxTest = QtTest;
using namespace messagebox;

TEST_F(MessageBoxTest, BoxesFitTheirTextAndButtonsWithTheSuitesCaptions) {
    TQtMessageService* service = QtMessageService();
    ASSERT_NE(service, nullptr);
    std::vector<TBoxLook> looks;
    std::filesystem::path picture = TempFile("box.png");
    service->OnShown = [&](TMessageForm& form, const TShownMessage&) {
        looks.push_back(LookAt(form));
        if (looks.size() == 1) {
            EXPECT_TRUE(GrabWindowToPng(&form, picture.string()));
        }
        form.SetModalResult(mrOk);
    };
    const std::string shortText = "xx 不存在!";
    const std::string longText = std::string(60, 'W') + " " + "用户、公司与数据库都必须输入。" + std::string(40, 'i') +
                                 "\n第二行: 请与系统管理员联系, 他会为您建立账号并给予作业权限。";
    MessageDlg(shortText, mtError, {mbOK});
    MessageDlg(longText, mtConfirmation, {mbYes, mbNo, mbCancel});
    MessageDlg("保存?", mtWarning, {mbYes, mbNo, mbCancel, mbYesToAll, mbNoToAll, mbAll, mbRetry});
    service->OnShown = nullptr;
    ASSERT_EQ(looks.size(), 3u);

    EXPECT_EQ(looks[0].title, "错误");
    EXPECT_EQ(looks[0].captions, (std::vector<std::string>{"确定"}));
    EXPECT_EQ(looks[1].title, "确认");
    EXPECT_EQ(looks[1].captions, (std::vector<std::string>{"是(&Y)", "否(&N)", "取消"}));
    EXPECT_EQ(looks[2].title, "警告");
    ExpectWholeBoxInside(looks[0], shortText);
    ExpectWholeBoxInside(looks[1], longText);
    ExpectWholeBoxInside(looks[2], "保存?");
    // A long text wraps onto more lines within the screen rather than running off it.
    EXPECT_LE(looks[1].window.width(), Screen->Width());
    EXPECT_GT(looks[1].textNeeds.height(), 2 * looks[1].lineHeight) << Text(looks[1].text);

    // The picture shows the box as laid out.
    QImage image(QString::fromStdString(picture.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), looks[0].window.size());
    if (const char* keep = std::getenv("TDEF_KEEP_PICTURES"))
        std::filesystem::copy_file(picture, std::string(keep) + "/message-box.png",
                                   std::filesystem::copy_options::overwrite_existing);
    std::filesystem::remove(picture);
}
