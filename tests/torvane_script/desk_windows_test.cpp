// The work center's windows on the Qt renderer (offscreen): the F2 lookup window through the
// lookup server, the small pickers, the main window's message centre, the calculator's arithmetic
// and the script syntax.
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "outside/pickvu/LookupService.h"
#include "outside/torvane/desk/CalcExpression.h"
#include "outside/torvane/desk/LoginForm.h"
#include "outside/torvane/desk/LookupForm.h"
#include "outside/torvane/desk/LookupWindows.h"
#include "outside/torvane/desk/MainWindow.h"
#include "outside/torvane/desk/PickerForms.h"
#include "outside/torvane/desk/Script.h"
#include "outside/torvane/HostManager.h"
#include "tests/outside/CompanyFixture.h"
#include "tests/qt/MessageBoxLook.h"
#include "tests/testkit/TestInstallation.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/qt/QtRenderer.h"
#include "toolkit/qt/QtUserInput.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"

namespace {

class DeskTest : public CompanyFixture {
protected:
    void SetUp() override {
        CompanyFixture::SetUp();
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        InstallQtRenderer();
        InstallLookupWindows();
    }
    void TearDown() override {
        UninstallLookupWindows();
        ProcessQtEvents();
        EXPECT_EQ(Screen->FormCount(), 0) << "a window was left behind";
        while (Screen->FormCount() > 0) Screen->Forms(0)->Free();
        CompanyFixture::TearDown();
    }

    // The main window of the demo login, shown.
    static TOwnedPtr<TfrmWorkCenter> LoggedInMainWindow(TWorkCenter& center) {
        center.Login({"DS", "DEMO", "DEMO"});
        TOwnedPtr<TfrmWorkCenter> main(CreateComponent<TfrmWorkCenter>(nullptr, center));
        main->LoadPrograms();
        main->Show();
        ProcessQtEvents();
        return main;
    }

    // Acts on the modal window once it is up (and the windows are at rest).
    static void WhenShown(std::function<void(TCustomForm&)> action) {
        RunWhenIdle([action] {
            TCustomForm* form = Screen->ActiveForm();
            ASSERT_NE(form, nullptr);
            ASSERT_TRUE(form->Modal());
            action(*form);
            // A failed step must not leave the test waiting for a window nobody answers.
            if (form->Modal() && form->ModalResult() == mrNone) form->SetModalResult(mrAbort);
        });
    }
};

Variant Rows(std::initializer_list<std::pair<const char*, const char*>> rows) {
    std::vector<Variant> list;
    for (auto [code, name] : rows) list.push_back(VarArrayOf({code, name}));
    return VarArrayOf(list);
}

// What the status said each time the busy cursor came up (the renderer's own handler still runs).
class TBusyWatch {
public:
    explicit TBusyWatch(std::function<std::string()> status) : saved_(Screen->OnCursorChange) {
        Screen->OnCursorChange = [this, status](TObject* sender) {
            if (Screen->Cursor() == crHourGlass) seen.push_back(status());
            if (saved_) saved_(sender);
        };
    }
    ~TBusyWatch() { Screen->OnCursorChange = saved_; }
    std::vector<std::string> seen;

private:
    TNotifyEvent saved_;
};

}  // namespace

TEST_F(DeskTest, LookupWindowShowsTheCatalogsColumnsAndPicksRows) {
    // Through the lookup server, as a program's F2 reaches it: the catalog's caption and titles.
    Variant service = CreateOleObject("PickvuS.Class1");
    Variant params = VarArrayOf({"ADMMA", "01", Variant(), true, "", "DEMO", "DEMO", 0, 1, false, Variant(), "", "", "", "",
                                 false, false, Variant(), "DS"});
    std::string caption;
    std::vector<std::string> titles;
    int shownRows = 0;
    std::string firstCode;
    WhenShown([&](TCustomForm& form) {
        auto& lookup = dynamic_cast<TfrmLookup&>(form);
        if (lookup.lvRows->Items()->Count() > 0) firstCode = lookup.lvRows->Items()->Item(0)->Caption();
        caption = lookup.Caption();
        for (int i = 0; i < lookup.lvRows->Columns()->Count(); ++i)
            titles.push_back(lookup.lvRows->Columns()->Items(i)->Caption());
        shownRows = lookup.lvRows->Items()->Count();
        PressKeys("Enter", &form);
    });
    Variant chosen = OleCall(service, "F2GetData", {params});
    EXPECT_EQ(caption, "系统信息查询");
    EXPECT_EQ(titles, (std::vector<std::string>{"系统编号", "系统名称"}));
    EXPECT_GT(shownRows, 0);
    ASSERT_TRUE(chosen.IsArray());
    ASSERT_EQ(chosen.Count(), 1) << "Enter picks the current row";
    EXPECT_EQ(chosen[0][0].AsString(), firstCode);
    EXPECT_FALSE(firstCode.empty());

    // Esc gives none.
    WhenShown([](TCustomForm& form) { PressKeys("Esc", &form); });
    EXPECT_TRUE(OleCall(service, "F2GetData", {params}).IsEmpty());
}

TEST_F(DeskTest, LookupWindowNarrowsAsTheUserTypesAndPicksSeveralRows) {
    Variant rows = Rows({{"ADM", "系统管理"}, {"COP", "订单管理"}, {"INV", "库存管理"}, {"ACR", "应收管理"}});
    EXPECT_EQ(MatchingRows(rows, ""), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(MatchingRows(rows, "a"), (std::vector<int>{0, 3})) << "letters without regard to case";
    EXPECT_EQ(MatchingRows(rows, "库存"), (std::vector<int>{2}));
    EXPECT_TRUE(MatchingRows(rows, "xyz").empty());

    LookupRequest request;
    request.caption = "系统查询";
    request.titles = {"编号", "名称"};
    std::vector<int> afterA, afterAd;
    WhenShown([&](TCustomForm& form) {
        auto& lookup = dynamic_cast<TfrmLookup&>(form);
        TypeText("a", &form);
        afterA = lookup.Shown();
        TypeText("D", &form);
        afterAd = lookup.Shown();
        // Back to every row, then the second and the fourth picked with Ctrl+click.
        lookup.edSearch->SetText("");
        lookup.lvRows->SetItemIndex(1);
        lookup.lvRows->Items()->Item(3)->SetSelected(true);
        ClickControl(lookup.btnOK);
    });
    Variant chosen = ChooseLookupRows(request, rows);
    EXPECT_EQ(afterA, (std::vector<int>{0, 3}));
    EXPECT_EQ(afterAd, (std::vector<int>{0}));
    ASSERT_TRUE(chosen.IsArray());
    ASSERT_EQ(chosen.Count(), 2);
    EXPECT_EQ(chosen[0][0].AsString(), "COP");
    EXPECT_EQ(chosen[1][0].AsString(), "ACR");

    // Down from the search box moves through the rows; nothing selected means nothing chosen.
    WhenShown([](TCustomForm& form) {
        auto& lookup = dynamic_cast<TfrmLookup&>(form);
        PressKeys("Down", &form);
        PressKeys("Down", &form);
        EXPECT_EQ(lookup.lvRows->ItemIndex(), 2);
        EXPECT_EQ(lookup.ActiveControl(), lookup.edSearch) << "the focus stays in the search box";
        lookup.lvRows->ClearSelection();
        PressKeys("Enter", &form);
    });
    EXPECT_TRUE(ChooseLookupRows(request, rows).IsEmpty());
}

TEST_F(DeskTest, PhraseDateCharacterAndCalculatorWindowsAnswerTheLookupService) {
    Variant service = CreateOleObject("PickvuS.Class1");
    OlePut(service, "AppServer", ConnectedServer());

    // Common phrases: a click on a phrase fills the text; Cancel leaves the caller's text.
    WhenShown([](TCustomForm& form) {
        auto& phrase = dynamic_cast<TfrmPhrase&>(form);
        ClickControlAt(phrase.lbPhrases, 20, 5);  // the first phrase
        PressKeys("Enter", &form);
    });
    Variant text = "原文";
    EXPECT_EQ(OleCall(service, "GetPhrase2", {"DS", "DEMO", 0, Variant::Ref(&text)}).AsInteger(), 0);
    EXPECT_EQ(text.AsString(), "待确认") << "the first of the demo user's own phrases";
    WhenShown([](TCustomForm& form) { PressKeys("Esc", &form); });
    text = "原文";
    EXPECT_LT(OleCall(service, "GetPhrase2", {"DS", "DEMO", 0, Variant::Ref(&text)}).AsInteger(), 0);
    EXPECT_EQ(text.AsString(), "原文");

    // The date picker starts at the given day and moves by months.
    std::string month;
    WhenShown([&](TCustomForm& form) {
        auto& day = dynamic_cast<TfrmInputDay&>(form);
        month = day.lblMonth->Caption();
        ClickControl(day.btnNext);
        day.sgDays->SetFocus();
        PressKeys("Enter", &form);
    });
    EXPECT_EQ(OleCall(service, "ShowInputDay", {false, "20240131", "DEMO"}).AsString(), "20240229");
    EXPECT_EQ(month, "2024年01月");
    TDateTime day = 0;
    EXPECT_FALSE(StoredDateToDay("20240230", day));
    EXPECT_TRUE(StoredDateToDay("20241231", day));
    EXPECT_EQ(DayToStoredDate(day), "20241231");

    // The character picker gives the chosen character.
    WhenShown([](TCustomForm& form) {
        auto& chars = dynamic_cast<TfrmCharacters&>(form);
        chars.sgChars->SetCol(1);
        chars.sgChars->SetRow(1);
        PressKeys("Enter", &form);
    });
    EXPECT_EQ(VarToStr(OleCall(service, "ShowCharaters", {"DS", "DEMO", 0})), "×");

    // The calculator: keys typed and buttons clicked; OK gives the value.
    WhenShown([](TCustomForm& form) {
        auto& calc = dynamic_cast<TfrmCalculator&>(form);
        ClickControl(dynamic_cast<TButton*>(calc.FindComponent("btnClear")));
        calc.edExpression->SetFocus();
        TypeText("12*(3+4)", &form);
        ClickControl(dynamic_cast<TButton*>(calc.FindComponent("btnMinus")));
        ClickControl(dynamic_cast<TButton*>(calc.FindComponent("btn4")));
        EXPECT_EQ(calc.lblResult->Caption(), "= 80");
        ClickControl(calc.btnOK);
    });
    EXPECT_EQ(OleCall(service, "GetCalcValue", {"1+1", 0}).AsString(), "80");
}

TEST_F(DeskTest, MainWindowReceivesMessageCentreTexts) {
    TWorkCenter center;
    TOwnedPtr<TfrmWorkCenter> main = LoggedInMainWindow(center);

    // Programs find the window by its class and send it their text (with its closing zero).
    HWND window = Application->FindWindow(kMainMenuWindowClass);
    ASSERT_EQ(window, main->Handle());
    std::string text = "ZORQ:文档信息录入作业$$<A href=\"zorq://Velora/DEMO/TDEF05/query/x\">";
    COPYDATASTRUCT data;
    data.cbData = static_cast<std::uint32_t>(text.size() + 1);
    data.lpData = text.c_str();
    EXPECT_EQ(Application->SendMessage(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    ASSERT_EQ(main->Messages().size(), 1u);
    EXPECT_EQ(main->Messages()[0], text);
    EXPECT_EQ(main->memMessages->Lines()->Count(), 1);

    // The message-centre program started through the manager lands there too.
    Variant out;
    Variant link = VarArrayOf({"0", VarArrayOf({"", "", "<A href=\"zorq://Velora/DEMO/TDEF05/query/k\">文档</A>"})});
    EXPECT_EQ(OleCall(center.Manager(), "ExecWork",
                      {VarArrayOf({"DS", "DEMO", "TMCI05"}), link, VarArrayOf({0, 4, Variant()}), 2, Variant::Ref(&out)})
                  .AsInteger(),
              0);
    ASSERT_EQ(main->Messages().size(), 2u);
    EXPECT_NE(main->Messages()[1].find("query/k"), std::string::npos);
    // A program that does not exist gives the code the broker turns into its message.
    EXPECT_EQ(OleCall(center.Manager(), "ExecWork",
                      {VarArrayOf({"DS", "DEMO", "NOSUCH"}), "", VarArrayOf({0, 0, Variant()}), 2, Variant::Ref(&out)})
                  .AsInteger(),
              -1);
    // The program menu lists the company's programs; those without a library are disabled.
    auto* tdef = dynamic_cast<TMenuItem*>(main->FindComponent("miTDEF05"));
    auto* admi = dynamic_cast<TMenuItem*>(main->FindComponent("miADMI02"));
    ASSERT_NE(tdef, nullptr);
    ASSERT_NE(admi, nullptr);
    EXPECT_FALSE(admi->Enabled());
    main.reset();
}

TEST_F(DeskTest, ACodedMessageBoxShowsItsWholeTextAndItsButtons) {
    // A user without rights for the program is told so by the program's coded message E/000004.
    TTestInstallation install;  // the client configuration the program reads
    TWorkCenter center;
    center.Login({"GUEST", "DEMO", "DEMO"});
    std::vector<messagebox::TBoxLook> looks;
    std::string text;
    const std::string picture = (folder_ / "coded-box.png").string();
    WhenShown([&](TCustomForm& form) {
        auto* box = dynamic_cast<TMessageForm*>(&form);
        ASSERT_NE(box, nullptr);
        text = box->MessageText();
        looks.push_back(messagebox::LookAt(*box));
        EXPECT_TRUE(GrabWindowToPng(&form, picture));
        ClickControl(dynamic_cast<TButton*>(form.FindComponent("OK")));
    });
    center.Open("Tdef05");
    ProcessQtEvents();
    ASSERT_EQ(looks.size(), 1u);
    EXPECT_EQ(text, "您没有执行本作业的权限! ");
    EXPECT_EQ(looks[0].title, "文档信息录入作业") << "the program's caption";
    EXPECT_EQ(looks[0].captions, (std::vector<std::string>{"确定"}));
    messagebox::ExpectWholeBoxInside(looks[0], text);
    QImage image(QString::fromStdString(picture));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), looks[0].window.size());
    if (const char* keep = std::getenv("TDEF_KEEP_PICTURES"))
        std::filesystem::copy_file(picture, std::string(keep) + "/coded-message-box.png",
                                   std::filesystem::copy_options::overwrite_existing);
    center.Programs().CloseAll();
    ProcessQtEvents();
}

TEST_F(DeskTest, TheLoginWindowIsAFixedDialogWhoseFocusShowsAndWhoseLabelsMoveIt) {
    TWorkCenter center;
    TOwnedPtr<TfrmLogin> login(CreateComponent<TfrmLogin>(nullptr, center));
    const std::string picture = (folder_ / "login.png").string();
    auto cancelArea = [&](TCustomForm& form) {
        EXPECT_TRUE(GrabWindowToPng(&form, picture));
        TButton* cancel = login->btnCancel;
        return QImage(QString::fromStdString(picture))
            .copy(cancel->Left(), cancel->Top(), cancel->Width(), cancel->Height())
            .convertToFormat(QImage::Format_RGB32);
    };
    WhenShown([&](TCustomForm& form) {
        QWidget* window = QtWidgetOf(&form);
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the login window keeps its size";
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);

        // Alt and a label's letter move the focus to its field.
        EXPECT_TRUE(PressKeys("Alt+D", &form));
        EXPECT_EQ(form.ActiveControl(), login->edDatabase);
        EXPECT_TRUE(PressKeys("Alt+C", &form));
        EXPECT_EQ(form.ActiveControl(), login->edCompany);
        // The password box shows one * per character typed, never the text.
        EXPECT_TRUE(PressKeys("Alt+P", &form));
        EXPECT_EQ(form.ActiveControl(), login->edPassword);
        EXPECT_TRUE(TypeText("admin", &form));
        EXPECT_EQ(login->EnteredPassword(), "admin");
        EXPECT_EQ(login->edPassword->DisplayText(), "*****");
        auto* line = qobject_cast<QLineEdit*>(QtWidgetOf(login->edPassword));
        if (!line) line = QtWidgetOf(login->edPassword)->findChild<QLineEdit*>();
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->text().toStdString(), "*****") << "what the window shows";

        // The focus on a button can be seen.
        QImage unfocused = cancelArea(form);
        form.SetActiveControl(login->btnCancel);
        ProcessQtEvents();
        QImage focused = cancelArea(form);
        EXPECT_NE(unfocused, focused) << "the focused 取消 looks different";
        if (const char* keep = std::getenv("TDEF_KEEP_PICTURES"))
            std::filesystem::copy_file(picture, std::string(keep) + "/login.png",
                                       std::filesystem::copy_options::overwrite_existing);

        // Logging in shows the busy cursor and where it connects.
        TBusyWatch busy([&] { return login->lblStatus->Caption(); });
        ClickControl(login->btnOK);
        EXPECT_EQ(busy.seen, (std::vector<std::string>{"正在连接 本机 (127.0.0.1) …"}));
        EXPECT_EQ(login->EnteredPassword(), "") << "the password is not kept in the window";
        EXPECT_EQ(Screen->Cursor(), crDefault);
    });
    EXPECT_EQ(login->ShowModal(), mrOk);
    EXPECT_TRUE(center.LoggedIn());
}

TEST_F(DeskTest, TheStatusBarSaysWhatHappensAndAnOpenProgramComesForward) {
    TTestInstallation install;
    TWorkCenter center;
    TOwnedPtr<TfrmWorkCenter> main = LoggedInMainWindow(center);
    auto panel = [&](int i) { return main->sbStatus->Panels()->Items(i)->Text(); };
    EXPECT_EQ(panel(1), "用户: DS");
    EXPECT_EQ(panel(2), "公司: DEMO");
    EXPECT_EQ(panel(3), "数据库: DEMO");
    EXPECT_EQ(panel(4), "服务器: 本机 (127.0.0.1)");

    TBusyWatch busy([&] { return panel(0); });
    main->OpenProgram("TDEF05");
    ProcessQtEvents();
    EXPECT_EQ(busy.seen, (std::vector<std::string>{"正在连接 本机 (127.0.0.1) …"})) << "the busy cursor while connecting";
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(panel(0), "文档信息录入作业 已打开");
    if (const char* keep = std::getenv("TDEF_KEEP_PICTURES")) GrabWindowToPng(main.get(), std::string(keep) + "/main-window.png");
    TCustomForm* window = center.Programs().Window("TDEF05");
    ASSERT_NE(window, nullptr);

    // Opening it again brings the open window forward instead of a second one.
    window->SetWindowState(wsMinimized);
    main->SetFocus();
    ProcessQtEvents();
    main->OpenProgram("TDEF05");
    ProcessQtEvents();
    EXPECT_EQ(center.Programs().OpenPrograms().size(), 1u);
    EXPECT_EQ(center.Programs().Window("TDEF05"), window);
    EXPECT_EQ(window->WindowState(), wsNormal);
    EXPECT_EQ(Screen->ActiveForm(), window);

    center.Programs().CloseAll();
    ProcessQtEvents();
    EXPECT_EQ(panel(0), "文档信息录入作业 已关闭");

    // The program the desktop was started with opens with its run mode and rights.
    main->OpenProgram("TDEF05", 10, 0);
    ProcessQtEvents();
    TCustomForm* started = center.Programs().Window("TDEF05");
    ASSERT_NE(started, nullptr);
    EXPECT_EQ(GetPropValue(started, "RunMode").AsInteger(), 9) << "host run mode 10";
    center.Programs().CloseAll();
    main.reset();
}

TEST(CalcExpression, EvaluatesArithmeticAndRefusesNonsense) {
    EXPECT_EQ(EvaluateExpression("1+2*3"), 7.0);
    EXPECT_EQ(EvaluateExpression("(1+2)*3"), 9.0);
    EXPECT_EQ(EvaluateExpression(" -4 / 8 "), -0.5);
    EXPECT_EQ(EvaluateExpression("1,234.5+0.5"), 1235.0);
    EXPECT_EQ(EvaluateExpression("2--3"), 5.0);
    EXPECT_FALSE(EvaluateExpression("1/0"));
    EXPECT_FALSE(EvaluateExpression("1+"));
    EXPECT_FALSE(EvaluateExpression("(1+2"));
    EXPECT_FALSE(EvaluateExpression("abc"));
    EXPECT_FALSE(EvaluateExpression(""));
    EXPECT_EQ(CalcValueText(80), "80");
    EXPECT_EQ(CalcValueText(0.1 + 0.2), "0.3");
    EXPECT_EQ(CalcValueText(-2.5), "-2.5");
}

TEST(ScriptSyntax, WordsQuotesAndComments) {
    std::string error;
    auto lines = ParseScript("# comment\n\nlogin DS DEMO DEMO\r\n  type edMC002 \"a \"\"b\"\" c\"  \nkey F5\n", error);
    EXPECT_EQ(error, "");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Number, 3);
    EXPECT_EQ(lines[0].Words, (std::vector<std::string>{"login", "DS", "DEMO", "DEMO"}));
    EXPECT_EQ(lines[1].Words, (std::vector<std::string>{"type", "edMC002", "a \"b\" c"}));
    EXPECT_EQ(lines[2].Number, 5);
    EXPECT_TRUE(ParseScript("open \"Tdef05\nclose\n", error).empty());
    EXPECT_EQ(error, "line 1: the quote is not closed");
}

TEST(ScriptSyntax, TheWholeScriptIsCheckedBeforeItRuns) {
    auto check = [](const std::string& script) {
        std::string error;
        std::vector<TScriptLine> lines = ParseScript(script, error);
        EXPECT_EQ(error, "") << script;
        return CheckScript(lines);
    };
    EXPECT_EQ(check("login DS DEMO DEMO\nopen Tdef05 run-mode 1 rights 255 param \"a b\"\nkey F5 Ctrl+Tab Alt+D\n"
                    "type edMC002 两个 词\ncell gdBody1 2 MD004 名称\nanswer yes\nexpect form Caption 文档 [演示]\n"
                    "expect-message W 000004\nscreenshot a b.png\nclose\n"),
              "");
    EXPECT_EQ(check("login DS DEMO DEMO\nanswer Maybe\n"),
              "line 2: expected a button (Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll), found \"Maybe\"");
    EXPECT_EQ(check("close now\n"), "line 1: expected close, found \"close now\"");
    EXPECT_EQ(check("click btnOK btnCancel\n"), "line 1: expected click NAME, found \"click btnOK btnCancel\"");
    EXPECT_EQ(check("login DS DEMO\n"), "line 1: expected login USER COMPANY DATABASE [PASSWORD], found \"login DS DEMO\"");
    EXPECT_EQ(check("login DS DEMO DEMO admin extra\n"),
              "line 1: expected login USER COMPANY DATABASE [PASSWORD], found \"login DS DEMO DEMO admin extra\"");
    EXPECT_EQ(check("login DS DEMO DEMO \"my pass\"\n"), "");
    EXPECT_EQ(check("login DS DEMO DEMO\nopen Tdef05\nfly away\n"),
              "line 3: expected a command (login, codepage, open, click, "
              "key, focus, hover, type, write, cell, answer, expect, expect-field, "
              "expect-message, screenshot, close), found \"fly\"");
    EXPECT_EQ(check("key F5 Shift+Nothing\n"), "line 1: expected a key name (F5, Ctrl+Tab, Enter ...), found \"Shift+Nothing\"");
    EXPECT_EQ(check("open Tdef05 run-mode x\n"), "line 1: expected a number after run-mode, found \"x\"");
    EXPECT_EQ(check("open Tdef05 colour red\n"), "line 1: expected run-mode, rights or param, found \"colour\"");
    EXPECT_EQ(check("open Tdef05 rights\n"), "line 1: expected a value after rights, found none");
    EXPECT_EQ(check("expect-message X 000004\n"), "line 1: expected a message kind (E, W, I, Q, C, D, T), found \"X\"");
    EXPECT_EQ(check("expect-message E 4\n"), "line 1: expected a six-digit message code, found \"4\"");
    EXPECT_EQ(check("cell gdBody1 0 MD004 x\n"), "line 1: expected a row number from 1, found \"0\"");
    EXPECT_EQ(check("codepage 950 big5\n"), "line 1: expected a code page number (936, 950, 437 ...), found \"big5\"");
    EXPECT_EQ(check("login DS DEMO DEMO\nlogin CLERK DEMO DEMO\n"), "line 2: expected one login per script, found a second one");
}

TEST(ScriptSyntax, ScriptFilesAreUtf8WithOrWithoutAMarkOrGbk) {
    std::string error;
    EXPECT_EQ(ScriptText("\xEF\xBB\xBFlogin DS DEMO DEMO\n", error), "login DS DEMO DEMO\n");
    EXPECT_EQ(error, "");
    EXPECT_EQ(ScriptText("type edMC002 文档\n", error), "type edMC002 文档\n");
    // "文档" as GBK bytes.
    EXPECT_EQ(ScriptText("type edMC002 \xCE\xC4\xB5\xB5\n", error), "type edMC002 文档\n");
    EXPECT_EQ(error, "");
    EXPECT_EQ(ScriptText("type edMC002 \xFF\xFE\x80\n", error), "");
    EXPECT_EQ(error, "the script is neither UTF-8 nor GBK text");
}
