// The broker: its operations without services, with recording services, and the coded messages.
#include <gtest/gtest.h>

#include "tests/spine/units/BrokerDoubles.h"
#include "tests/testkit/ScriptedApp.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/Field.h"

namespace {

class BrokerTest : public ::testing::Test {
protected:
    void SetUp() override {
        broker->UserId = "DS";
        broker->CompanyId = "DEMO";
        broker->DatabaseName = "DEMO";
        broker->ProgramId = "TDEF05";
        broker->ProgramName = "文档信息录入作业";
    }
    void Use(const std::shared_ptr<TRecordingDispatch>& manager) {
        broker->HostManager = Variant(DispatchPtr(manager));
        ASSERT_TRUE(broker->AttachServices());
    }

    TScriptedApp app;
    TOwnedPtr<TOwnerWindow> owner{CreateComponent<TOwnerWindow>()};
    TBrokers* broker = CreateComponent<TBrokers>(owner.get());
};

Variant Strings(std::initializer_list<const char*> texts) {
    std::vector<Variant> items;
    for (const char* t : texts) items.emplace_back(t);
    return VarArrayOf(items);
}

Variant Numbered(const char* prefix, int count) {
    std::vector<Variant> items;
    for (int i = 0; i < count; ++i) items.emplace_back(std::string(prefix) + std::to_string(i));
    return VarArrayOf(items);
}

}  // namespace

TEST_F(BrokerTest, WithoutServicesEveryOperationGivesItsEmptyResult) {
    auto check = [&] {
        Variant values = "before";
        EXPECT_FALSE(broker->CheckValue("ADMMB", "06", VarArrayOf({"TDEF05"}), values));
        EXPECT_FALSE(broker->QueryData("ADMMB", "06", VarArrayOf({"TDEF05"}), values));
        EXPECT_EQ(values, Variant("before"));
        EXPECT_TRUE(broker->CallServer("SimpleSql", VarArrayOf({"SELECT 1", "A"})).IsEmpty());
        EXPECT_FALSE(broker->LoadSysInfo());
        EXPECT_EQ(broker->GetProgramName("ADMI01"), "ADMI01");
        TClientDataSet ds;
        ds.FieldDefs().Add("MC001", ftString, 10);
        ds.CreateDataSet();
        EXPECT_EQ(broker->QueryMaxSeq(ds, "ADMMC", "MC001", ""), "unKnow");
        EXPECT_FALSE(broker->SubmitJob(sjApproval, Numbered("r", 14)));
        EXPECT_FALSE(broker->SubmitJob(sjPager, VarArrayOf({"text"})));
        EXPECT_TRUE(broker->LookupData("ADMMA", "01", VarArrayOf({""})).IsEmpty());
        std::string phrase = "typed";
        EXPECT_EQ(broker->GetPhrase2(phrase), -1);
        EXPECT_EQ(phrase, "");
        EXPECT_EQ(broker->ShowInputDay(1, "20240101"), "");
        EXPECT_TRUE(broker->ShowCharaters().IsEmpty());
        EXPECT_EQ(broker->GetCalcValue("1+1"), "");
    };

    // No host manager at all.
    EXPECT_FALSE(broker->AttachServices());
    EXPECT_EQ(broker->GetMessageText("E", "000001"), "");
    EXPECT_EQ(broker->RunProgram("ADMI01", "", true, Variant()), -1);
    EXPECT_FALSE(broker->SubmitJob(sjMessageCenter, "MC001=A"));
    check();
    // A host manager that hands out no services.
    broker->HostManager = Variant(DispatchPtr(MakeManager({})));
    EXPECT_TRUE(broker->AttachServices());
    EXPECT_FALSE(broker->Validator.IsDispatch());
    check();
    EXPECT_TRUE(broker->ProgramName.empty()) << "the program information is cleared first";

    EXPECT_TRUE(app.Dialogs().empty());
    EXPECT_EQ(app.Messages().Count(), 0);
    EXPECT_EQ(app.Beeps().Count(), 0);
}

TEST_F(BrokerTest, AttachServicesFetchesTheFlaggedServicesAndTheProgramInformation) {
    Variant info = Strings({"文档信息录入作业", "TDEF05P", "TX01", "T02", "报表", "A§B", "Q6", "Y", "E", "Document Maintenance"});
    auto validator = std::make_shared<TRecordingDispatch>();
    validator->On("CheckValue", [&info](VarArgs& a) {
        a.at(4).Assign(info);
        return Variant(true);
    });
    auto counter = std::make_shared<TRecordingDispatch>();
    auto lookup = std::make_shared<TRecordingDispatch>();
    broker->ServiceFlags = (1 << bsValidator) | (1 << bsCounterService);
    Use(MakeManager({}, validator, counter, lookup));

    EXPECT_TRUE(broker->Validator.IsDispatch());
    EXPECT_TRUE(broker->CounterService.IsDispatch());
    EXPECT_FALSE(broker->LookupService.IsDispatch()) << "its flag is not set";
    ASSERT_EQ(validator->CallsOf("CheckValue").size(), 1u);
    const TRecordedCall call = validator->CallsOf("CheckValue").at(0);
    EXPECT_EQ(call.Args.at(0), Variant("ADMMB"));
    EXPECT_EQ(call.Args.at(1), Variant("06"));
    EXPECT_EQ(call.Args.at(2), Variant("DEMO"));
    EXPECT_EQ(call.Args.at(3), VarArrayOf({"TDEF05", "DEMO"}));

    EXPECT_EQ(broker->ProgramName, "文档信息录入作业");
    EXPECT_EQ(broker->PrintProgramId, "TDEF05P");
    EXPECT_EQ(broker->TransactionProgramId, "TX01");
    EXPECT_EQ(broker->TransactionId, "T02");
    EXPECT_EQ(broker->ReportName, "报表");
    EXPECT_EQ(broker->ApprovalSetting5, "A§B");
    EXPECT_EQ(broker->ApprovalSetting6, "Q6");
    EXPECT_TRUE(broker->ProgramFlag);
    EXPECT_EQ(broker->BodyRequired, 2);

    for (auto [policy, expected] : std::vector<std::pair<const char*, int>>{{"W", 1}, {"Z", 3}, {"X", 0}, {"", 0}}) {
        info[8] = policy;
        broker->LoadProgramInfo();
        EXPECT_EQ(broker->BodyRequired, expected) << policy;
    }
    owner->uiCodePage = "437";
    broker->LoadProgramInfo();
    EXPECT_EQ(broker->ProgramName, "Document Maintenance");

    // A manager that fails: three beeps and false.
    auto failing = std::make_shared<TRecordingDispatch>();
    failing->OnProperty("Com_Validator", []() -> Variant { throw EOleError("server gone"); });
    broker->Validator = Variant();
    broker->HostManager = Variant(DispatchPtr(failing));
    EXPECT_FALSE(broker->AttachServices());
    EXPECT_EQ(app.Beeps().Count(), 3);
}

TEST_F(BrokerTest, NamedCallsCarryTheCompanyContext) {
    auto counter = std::make_shared<TRecordingDispatch>();
    Variant answer = VarArrayOf({Strings({"采购作业", "Purchase"})});
    counter->On("GETCOUNTER", [&answer](VarArgs&) { return answer; });
    Use(MakeManager({}, nullptr, counter));

    EXPECT_EQ(broker->CallServer("SimpleSql", Strings({"SELECT MA001 FROM $$ADMMA", "MA001"})), answer);
    TRecordedCall call = counter->CallsOf("GETCOUNTER").at(0);
    EXPECT_EQ(call.Args.at(0), Variant("SimpleSql"));
    EXPECT_EQ(call.Args.at(1), Strings({"SELECT MA001 FROM DEMO..ADMMA", "MA001"}))
        << "the two-element form carries no database name: the client resolves $$";
    EXPECT_EQ(call.Args.at(2), VarArrayOf({VarArrayOf({"DEMO", "DEMO"})}));

    // Every $$ outside quoted text; one dot for a server of SQLTYPE 1; the four-element form and
    // other calls keep $$ for the server.
    counter->ClearCalls();
    broker->DatabaseName = "ERP01";
    broker->CallServer("SimpleSQL", Strings({"SELECT A FROM $$T1 JOIN $$T2 ON 1=1 WHERE R='$$ kept'", "A"}));
    broker->SqlType = 1;
    broker->CallServer("TransactionSQL", VarArrayOf({Strings({"DELETE FROM $$T1", "UPDATE $$T2 SET X=1"}), ""}));
    broker->CallServer("SimpleSql", Strings({"SELECT A FROM $$T1", "A", "ERP01", "N"}));
    broker->CallServer("GetUserDefine", Strings({"$$", "DS"}));
    auto calls = counter->CallsOf("GETCOUNTER");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].Args.at(1), Strings({"SELECT A FROM ERP01..T1 JOIN ERP01..T2 ON 1=1 WHERE R='$$ kept'", "A"}));
    EXPECT_EQ(calls[1].Args.at(1), VarArrayOf({Strings({"DELETE FROM ERP01.T1", "UPDATE ERP01.T2 SET X=1"}), ""}));
    EXPECT_EQ(calls[2].Args.at(1), Strings({"SELECT A FROM $$T1", "A", "ERP01", "N"}));
    EXPECT_EQ(calls[3].Args.at(1), Strings({"$$", "DS"}));
    broker->SqlType = 0;
    broker->DatabaseName = "DEMO";

    counter->ClearCalls();
    EXPECT_EQ(broker->GetProgramName("ADMI01"), "采购作业");
    call = counter->CallsOf("GETCOUNTER").at(0);
    EXPECT_EQ(call.Args.at(0), Variant("SimpleSQL"));
    EXPECT_EQ(call.Args.at(1), Strings({"SELECT MB002,MB011,MB012,MB013 FROM ADMMB WHERE MB001='ADMI01'",
                                        "MB002,MB011,MB012,MB013", "DEMO", "N"}));
    owner->uiCodePage = "437";
    EXPECT_EQ(broker->GetProgramName("ADMI01"), "Purchase");
    answer = Variant();
    EXPECT_EQ(broker->GetProgramName("ADMI01"), "ADMI01");
}

TEST_F(BrokerTest, SystemSettingsComeAsNameAndValueRows) {
    auto counter = std::make_shared<TRecordingDispatch>();
    Variant answer;
    counter->On("GetSysInfo", [&answer](VarArgs& a) { return answer; });
    Use(MakeManager({}, nullptr, counter));
    broker->SetSysValue("KEEP", "1");

    EXPECT_FALSE(broker->LoadSysInfo());
    answer = VarArrayCreate(0, 1, 0, -1);
    EXPECT_FALSE(broker->LoadSysInfo()) << "no columns";
    answer = Strings({"SYS001", "1"});
    EXPECT_FALSE(broker->LoadSysInfo()) << "not two-dimensional";
    EXPECT_EQ(broker->SysValues.Count(), 1);

    answer = VarArrayCreate(0, 1, 0, 1);
    answer.At(0, 0) = "SYS001";
    answer.At(1, 0) = "3";
    answer.At(0, 1) = "RKT002";
    answer.At(1, 1) = "演示公司";
    EXPECT_TRUE(broker->LoadSysInfo());
    EXPECT_EQ(counter->CallsOf("GetSysInfo").back().Args.at(0), Variant("DEMO"));
    EXPECT_EQ(broker->GetSysValue("SYS001"), "3");
    EXPECT_EQ(broker->GetSysValue("RKT002"), "演示公司");
    EXPECT_EQ(broker->GetSysValue("KEEP"), "1");
    broker->SetSysValue("", "ignored");
    EXPECT_EQ(broker->GetSysValue(""), "");
    EXPECT_EQ(broker->SysValues.Count(), 3);
}

TEST_F(BrokerTest, CodedMessagesPickTheirDialogByKind) {
    std::map<std::string, std::string> texts;
    for (const char* kind : {"C", "D", "E", "I", "Q", "W", "X"})
        texts[std::string(kind) + "000100"] = std::string(kind) + "消息%s";
    Use(MakeManager(texts));
    struct Case {
        const char* kind;
        TMsgDlgType type;
        std::vector<std::string> buttons;
        std::string defaultButton;
        std::string text;
    };
    const std::vector<Case> cases{
        {"T", mtError, {"Yes", "No", "Cancel", "YesToAll"}, "Yes", "E消息A \n是否继续?"},
        {"C", mtWarning, {"OK", "Cancel"}, "OK", "C消息A "},
        {"D", mtWarning, {"Yes", "No", "Cancel"}, "Yes", "D消息A "},
        {"E", mtError, {"OK"}, "OK", "E消息A "},
        {"I", mtInformation, {"OK"}, "OK", "I消息A "},
        {"Q", mtConfirmation, {"OK", "Cancel"}, "OK", "Q消息A "},
        {"W", mtWarning, {"OK", "Cancel"}, "OK", "W消息A "},
        {"X", mtCustom, {"OK"}, "OK", "X消息A "},
    };
    const std::map<std::string, std::string> captions{
        {"Yes", "是(&Y)"}, {"No", "否(&N)"}, {"OK", "确定"}, {"Cancel", "取消"}, {"YesToAll", "全是(&A)"}};
    for (const Case& c : cases) {
        int answer = broker->ShowMessageByCode(c.kind, "000100", 2, true, 936, {"A"});
        const TShownDialog& shown = app.Dialogs().back();
        EXPECT_EQ(shown.Text, c.text) << c.kind;
        EXPECT_EQ(shown.DlgType, c.type) << c.kind;
        EXPECT_EQ(shown.Buttons, c.buttons) << c.kind;
        EXPECT_EQ(shown.DefaultButton, c.defaultButton) << c.kind;
        EXPECT_EQ(shown.DefaultTabOrder, 0) << c.kind;
        EXPECT_EQ(shown.Caption, "文档信息录入作业[演示公司]");
        EXPECT_EQ(shown.FontName, "SimSun");
        EXPECT_EQ(shown.FontCharset, 134);
        for (const std::string& button : c.buttons) EXPECT_EQ(shown.ButtonCaptions.at(button), captions.at(button));
        EXPECT_EQ(answer, shown.Answer);
    }
    EXPECT_EQ(app.Dialogs().size(), cases.size());
}

TEST_F(BrokerTest, AWarningAnsweredOtherThanOKEndsTheCallerSilentlyWhenAsked) {
    Use(MakeManager({{"W000004", "%s 不存在, 是否继续?"}, {"C000001", "确定要删除这笔资料吗?"}}));
    app.QueueDialogAnswer(mrCancel);
    EXPECT_THROW(broker->ShowMessageByCode("W", "000004", 2, true, 936, {"文档编号"}), EAbort);
    EXPECT_EQ(app.Dialogs().size(), 1u) << "nothing more is shown";
    EXPECT_EQ(app.Messages().Count(), 0);

    app.QueueDialogAnswer(mrCancel);
    EXPECT_EQ(broker->ShowMessageByCode("W", "000004", 2, false, 936, {"文档编号"}), mrCancel);
    app.QueueDialogAnswer(mrOk);
    EXPECT_EQ(broker->ShowMessageByCode("W", "000004", 2, true, 936, {"文档编号"}), mrOk);
    app.QueueDialogAnswer(mrCancel);
    EXPECT_EQ(broker->ShowMessageByCode("C", "000001", 2, true, 936, {}), mrCancel) << "only warnings abort";
    EXPECT_EQ(app.Dialogs()[1].Text, "文档编号 不存在, 是否继续? ");
}

TEST_F(BrokerTest, CodedMessagesFollowTheLanguageSettings) {
    Use(MakeManager({{"E000100", "消息%s"}}));
    owner->markConversions = true;

    // Traditional interface: converted text and captions, four and six blanks, character set 136.
    owner->languageMode = 2;
    owner->uiCodePage = "950";
    broker->ShowMessageByCode("T", "000100", 2, false, 936, {"A"});
    const TShownDialog& traditional = app.Dialogs().back();
    EXPECT_EQ(traditional.Text, "{消息A}     \n{是否继续?}      ");
    EXPECT_EQ(traditional.ButtonCaptions.at("Yes"), "{是(&Y)}");
    EXPECT_EQ(traditional.FontCharset, 136);

    // Language mode 1: the text is converted, the captions are not.
    owner->languageMode = 1;
    owner->uiCodePage = "936";
    broker->ShowMessageByCode("E", "000100", 2, false, 936, {"A"});
    EXPECT_EQ(app.Dialogs().back().Text, "{消息A}       ");
    EXPECT_EQ(app.Dialogs().back().ButtonCaptions.at("OK"), "确定");
    EXPECT_EQ(app.Dialogs().back().FontCharset, 134);

    // A traditional system under a simplified interface adds the four blanks, nothing is converted.
    owner->languageMode = 4;
    owner->sysCodePage = "950";
    broker->ShowMessageByCode("E", "000100", 2, false, 936, {"A"});
    EXPECT_EQ(app.Dialogs().back().Text, "消息A           ");

    // English interface: the standard captions.
    owner->languageMode = 0;
    owner->uiCodePage = "437";
    owner->sysCodePage = "437";
    broker->ShowMessageByCode("E", "000100", 2, false, 936, {"A"});
    EXPECT_EQ(app.Dialogs().back().Text, "消息A ");
    EXPECT_EQ(app.Dialogs().back().ButtonCaptions.at("OK"), "OK");
}

TEST_F(BrokerTest, RunProgramStartsThroughTheHostAndNamesEachFailure) {
    auto counter = std::make_shared<TRecordingDispatch>();
    counter->On("GETCOUNTER", [](VarArgs&) { return VarArrayOf({VarArrayOf({"采购作业", "Purchase"})}); });
    auto manager = MakeManager({{"E000032", "%s"}}, nullptr, counter);
    int code = 0;
    manager->On("ExecWork", [&code](VarArgs&) { return Variant(code); });
    Use(manager);

    EXPECT_EQ(broker->RunProgram("ADMI01", "parameter", true, Variant()), 0);
    TRecordedCall call = manager->CallsOf("ExecWork").at(0);
    ASSERT_EQ(call.Args.size(), 5u);
    EXPECT_EQ(call.Args[0], VarArrayOf({"DS", "DEMO", "ADMI01", 4711}));
    EXPECT_EQ(call.Args[1], Variant("parameter"));
    EXPECT_EQ(call.Args[2], VarArrayOf({0, 4, Variant()}));
    EXPECT_EQ(call.Args[3], Variant(2));
    EXPECT_TRUE(app.Dialogs().empty());

    const std::vector<std::string> expected{
        "[采购作业]作业程序文档不存在! ",
        "[采购作业]作业程序文档装入失败! ",
        "[采购作业]作业程序启动时无法录入公用元件! ",
        "[采购作业]作业程序启动时取作业权限错误! ",
        "[采购作业]作业程序无运行作业权限! ",
        "[采购作业]作业程序起始化错误! ",
        "[采购作业]作业程序发生不可预知的错误! ",
    };
    for (int i = 0; i < 7; ++i) {
        code = -(i + 1);
        EXPECT_EQ(broker->RunProgram("ADMI01", "", true, VarArrayOf({0, 0, Variant()})), code);
        ASSERT_EQ(app.Dialogs().size(), static_cast<std::size_t>(i + 1));
        EXPECT_EQ(app.Dialogs().back().Text, expected[i]);
        EXPECT_EQ(app.Dialogs().back().DlgType, mtError);
    }
    EXPECT_EQ(manager->CallsOf("ExecWork").back().Args[2], VarArrayOf({0, 0, Variant()}));
    code = -8;
    EXPECT_EQ(broker->RunProgram("ADMI01", "", true, Variant()), -8);
    EXPECT_EQ(app.Dialogs().back().Text, " ") << "an unknown failure has no text";
    code = -1;
    EXPECT_EQ(broker->RunProgram("ADMI01", "", false, Variant()), -1);
    EXPECT_EQ(app.Dialogs().size(), 8u) << "failures are shown only when asked";
}

TEST_F(BrokerTest, ApprovalJobsAreQueuedWithTheirRecord) {
    auto counter = std::make_shared<TRecordingDispatch>();
    int answer = 0;
    counter->On("GETCOUNTER", [&answer](VarArgs&) { return Variant(answer); });
    auto validator = std::make_shared<TRecordingDispatch>();
    validator->On("CheckValue", [](VarArgs& a) {
        a.at(4).Assign(Strings({"smtp", "25", "mail@demo"}));
        return Variant(true);
    });
    Use(MakeManager(
        {{"I200007", "送签成功!"}, {"E200128", "写入签核作业队列失败!"}, {"E200129", "签核服务器设置错误, 无法送签!"}}, validator,
        counter));

    EXPECT_TRUE(broker->SubmitJob(sjApproval, Numbered("r", 14)));
    EXPECT_EQ(app.Dialogs().back().Text, "送签成功! ");
    TRecordedCall call = counter->CallsOf("GETCOUNTER").back();
    EXPECT_EQ(call.Args.at(0), Variant("INSERTQWJOB"));
    Variant body =
        Strings({"DS", "DEMO", "TDEF05", "r1", "r2", "r0", "r3", "r4", "r5", "r6", "r7", "r8", "r9", "r10", "r11", "r12", "r13"});
    Variant record =
        VarArrayOf({"DEMO", "TDEF05", "r6", "DS", body, "N", "", Variant::Null(), Variant::Null(), "", "936", "SP7"});
    EXPECT_EQ(call.Args.at(1), VarArrayOf({record}));
    EXPECT_EQ(validator->CallsOf("CheckValue").back().Args.at(0), Variant("RKTMB"));
    EXPECT_EQ(validator->CallsOf("CheckValue").back().Args.at(3), VarArrayOf({"DEMO"}));

    broker->ApprovalSetting5 = "x§y";
    EXPECT_TRUE(broker->SubmitJob(sjApproval, Numbered("p", 16)));
    Variant sent = counter->CallsOf("GETCOUNTER").back().Args.at(1)[0];
    ASSERT_EQ(sent.Count(), 14);
    EXPECT_EQ(sent[11], Variant("p12"));
    EXPECT_EQ(sent[12], Variant("p13"));
    EXPECT_EQ(sent[13], Variant("SP8"));
    EXPECT_EQ(sent[4][15], Variant("p14"));
    EXPECT_EQ(sent[4][16], Variant("p15"));

    answer = 1;
    EXPECT_FALSE(broker->SubmitJob(sjApproval, Numbered("r", 14)));
    EXPECT_EQ(app.Dialogs().back().Text, "写入签核作业队列失败! ");
    answer = 2;
    EXPECT_FALSE(broker->SubmitJob(sjApproval, Numbered("r", 14)));
    EXPECT_EQ(app.Dialogs().back().Text, "签核服务器设置错误, 无法送签! ");
    const std::size_t shown = app.Dialogs().size();
    answer = 9;
    EXPECT_FALSE(broker->SubmitJob(sjApproval, Numbered("r", 14)));
    EXPECT_EQ(app.Dialogs().size(), shown);
    const std::size_t calls = counter->CallsOf("GETCOUNTER").size();
    EXPECT_FALSE(broker->SubmitJob(sjApproval, Numbered("r", 15)));
    EXPECT_EQ(counter->CallsOf("GETCOUNTER").size(), calls) << "a request of another size is not sent";
}

TEST_F(BrokerTest, PagerAndMessageCenterJobs) {
    auto manager = MakeManager({});
    manager->On("ExecWork", [](VarArgs&) { return Variant(0); });
    Use(manager);
    broker->ProgramName = "文档信息录入作业";  // without a validator the attach found no program information

    auto pager = std::make_shared<TRecordingDispatch>();
    pager->On("ShowSendTorvane", [](VarArgs&) { return Variant(); });
    RegisterOleClass("RKTPagerC.Class1", [pager](const std::string&) { return DispatchPtr(pager); });
    EXPECT_TRUE(broker->SubmitJob(sjPager, VarArrayOf({"请审核"})));
    UnregisterOleClass("RKTPagerC.Class1");
    ASSERT_EQ(pager->CallsOf("ShowSendTorvane").size(), 1u);
    EXPECT_EQ(pager->CallsOf("ShowSendTorvane")[0].Args,
              (std::vector<Variant>{"DS", VarArrayOf({"DEMO", "TDEF05"}), "请审核", "", ""}));

    EXPECT_TRUE(broker->SubmitJob(sjMessageCenter, "MC001=A01"));
    TRecordedCall call = manager->CallsOf("ExecWork").at(0);
    EXPECT_EQ(call.Args.at(0), VarArrayOf({"DS", "DEMO", "TMCI05"}));
    EXPECT_EQ(
        call.Args.at(1),
        VarArrayOf({"0", VarArrayOf({"", "", "<A href=\"zorq://Velora/DEMO/TDEF05/query/MC001=A01\">文档信息录入作业</A>"})}));
    EXPECT_EQ(call.Args.at(2), VarArrayOf({0, 4, Variant()}));
    EXPECT_EQ(call.Args.at(3), Variant(2));
}

TEST_F(BrokerTest, LookupDataSendsTheF2RequestOrExchangesWithTheLookupCombo) {
    auto lookup = std::make_shared<TRecordingDispatch>();
    Variant rows = VarArrayOf({Strings({"ADM", "系统管理"})});
    lookup->On("F2GetData", [&rows](VarArgs&) { return rows; });
    Use(MakeManager({}, nullptr, nullptr, lookup));
    broker->ProgramInfo.SetValue("BaseLimited", "Y");
    owner->rights = TFunctionRights{33};
    TLookupOptions options;
    options.FirstOption = true;
    options.SearchText = "AD";
    options.Texts = {"t1", "t2", "t3"};

    EXPECT_EQ(broker->LookupData("ADMMA", "01", VarArrayOf({"A"}), options), rows);
    Variant request = lookup->CallsOf("F2GetData").at(0).Args.at(0);
    ASSERT_EQ(request.Low(), 0);
    ASSERT_EQ(request.High(), 18);
    const std::vector<Variant> expected{
        "ADMMA", "01",  VarArrayOf({"A"}),   true, "AD", "DEMO", "DEMO", 4711, 1, false, Variant(), "t1", "t2", "t3", "Y",
        true,    false, broker->HostManager, "DS"};
    for (int i = 0; i <= 18; ++i) EXPECT_EQ(request[i], expected[i]) << "element " << i;
    owner->rights = TFunctionRights{34};
    options.Window = 99;
    broker->LookupData("ADMMA", "01", VarArrayOf({"A"}), options);
    request = lookup->CallsOf("F2GetData").at(1).Args.at(0);
    EXPECT_EQ(request[7], Variant(99));
    EXPECT_EQ(request[15], Variant(false));
    EXPECT_EQ(request[16], Variant(true));

    // Collecting the lookup combo's parameter: stored in the window, nothing sent.
    owner->lookupMode = 1;
    EXPECT_TRUE(broker->LookupData("ADMMA", "01", VarArrayOf({"A"}), options).IsEmpty());
    const Variant& param = owner->storedParam;
    ASSERT_EQ(param.High(), 13);
    const std::vector<Variant> collected{"ADMMA", "01", VarArrayOf({"A"}), 1, "AD", "DEMO", Variant(), "t1", "t2", "t3", "Y", "",
                                         "",      "9"};
    for (int i = 0; i <= 13; ++i) EXPECT_EQ(param[i], collected[i]) << "element " << i;
    options.Texts = {"", "t2", "t3"};
    broker->LookupData("ADMMA", "01", VarArrayOf({"A"}), options);
    EXPECT_EQ(owner->storedParam[8], Variant("")) << "the caller's texts count only with the first";

    // Returning the combo's result: the stored result, nothing sent.
    owner->lookupMode = 2;
    owner->storedResult = VarArrayOf({Strings({"MFG", "生产管理"})});
    EXPECT_EQ(broker->LookupData("ADMMA", "01", VarArrayOf({"A"})), owner->storedResult);
    EXPECT_EQ(lookup->CallsOf("F2GetData").size(), 2u);
    lookup->ClearCalls();  // the requests hold the manager, which holds the lookup service
}

TEST_F(BrokerTest, QueryMaxSeqAsksTheValidatorWithTheDatasetsValues) {
    auto validator = std::make_shared<TRecordingDispatch>();
    int behaviour = 0;
    validator->On("QueryMaxSeq", [&behaviour](VarArgs& a) {
        if (behaviour == 2) throw EOleError("validator failed");
        a.at(5).Assign("0007");
        return Variant(behaviour == 0);
    });
    Use(MakeManager({}, validator));
    TClientDataSet ds;
    ds.FieldDefs().Add("MC001", ftString, 10);
    ds.FieldDefs().Add("MC002", ftString, 10);
    ds.CreateDataSet();
    ds.Append();
    ds.FieldByName("MC001")->SetAsString("A01");
    ds.FieldByName("MC002")->SetAsString("B");

    EXPECT_EQ(broker->QueryMaxSeq(ds, "ADMMC", "MC001,MC002", "P"), "0007");
    const TRecordedCall call = validator->CallsOf("QueryMaxSeq").at(0);
    EXPECT_EQ(call.Args.at(0), Variant("ADMMC"));
    EXPECT_EQ(call.Args.at(1), Variant("DEMO"));
    EXPECT_EQ(call.Args.at(2), Variant("MC001,MC002"));
    EXPECT_EQ(call.Args.at(3), VarArrayOf({"A01", "B"}));
    EXPECT_EQ(call.Args.at(4), Variant("P"));
    behaviour = 1;
    EXPECT_EQ(broker->QueryMaxSeq(ds, "ADMMC", "MC001,MC002", "P"), "unKnow");
    behaviour = 2;
    EXPECT_EQ(broker->QueryMaxSeq(ds, "ADMMC", "MC001,MC002", "P"), "unKnow");
    EXPECT_EQ(broker->QueryMaxSeq(ds, "ADMMC", "NOSUCH", "P"), "unKnow");
}

TEST_F(BrokerTest, SmallLookupWindowsOfTheLookupService) {
    auto lookup = std::make_shared<TRecordingDispatch>();
    int phraseAnswer = 1;
    lookup->On("GetPhrase2", [&phraseAnswer](VarArgs& a) {
        a.at(3).Assign("常用语");
        return Variant(phraseAnswer);
    });
    lookup->On("ShowInputDay", [](VarArgs& a) { return Variant("20240229"); });
    lookup->On("ShowCharaters", [](VarArgs&) { return Variant("字"); });
    lookup->On("GetCalcValue", [](VarArgs&) -> Variant { throw EOleError("old lookup server"); });
    Use(MakeManager({{"E000032", "%s"}}, nullptr, nullptr, lookup));

    std::string text = "常";
    EXPECT_EQ(broker->GetPhrase2(text), 1);
    EXPECT_EQ(text, "常用语");
    EXPECT_EQ(lookup->CallsOf("GetPhrase2")[0].Args, (std::vector<Variant>{"DS", "DEMO", 4711, "常"}));
    phraseAnswer = -1;
    text = "常";
    broker->GetPhrase2(text);
    EXPECT_EQ(text, "") << "a cancelled phrase window gives no text";

    EXPECT_EQ(broker->ShowInputDay(2, "20240228"), "20240229");
    EXPECT_EQ(lookup->CallsOf("ShowInputDay")[0].Args, (std::vector<Variant>{2, "20240228", "DEMO"}));
    EXPECT_EQ(broker->ShowCharaters(), Variant("字"));
    EXPECT_EQ(lookup->CallsOf("ShowCharaters")[0].Args, (std::vector<Variant>{"DS", "DEMO", 4711}));
    broker->ShowCharaters("U2", "C2", 9);
    EXPECT_EQ(lookup->CallsOf("ShowCharaters")[1].Args, (std::vector<Variant>{"U2", "C2", 9}));

    EXPECT_EQ(broker->GetCalcValue("1+1"), "");
    ASSERT_EQ(app.Dialogs().size(), 1u);
    EXPECT_EQ(app.Dialogs()[0].Text, "请更新PickvuC.dll ");
}
