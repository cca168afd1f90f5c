#include <gtest/gtest.h>

#include <algorithm>

#include "outside/torvane/HostManager.h"
#include "outside/torvane/MessageTable.h"
#include "tests/outside/CompanyFixture.h"
#include "tests/testkit/TestInstallation.h"

namespace {

// The manager as a program sees it: a dispatch interface, logged in to the demo company.
Variant Manager() {
    Variant manager(CreateHostManager());
    OleCall(manager, "Connect", {VarArrayOf({"DS", "DEMO", "DEMO"})});
    return manager;
}

}  // namespace

class HostServicesTest : public OnEveryBackend<CompanyFixture> {};
TDEF_ON_EVERY_BACKEND(HostServicesTest);

TEST(MessageTable, AnswersKnownCodesAndNamesUnknownOnes) {
    Variant manager(CreateHostManager());
    EXPECT_EQ(OleCall(manager, "GetMessage", {"E", "000001"}).AsString(), "%s 不存在!");
    EXPECT_EQ(OleCall(manager, "GetMessage", {"e", "000004"}).AsString(), "您没有执行本作业的权限!");
    EXPECT_NE(OleCall(manager, "GetMessage", {"E", "000038"}).AsString(), "");
    std::string unknown = OleCall(manager, "GetMessage", {"Q", "999999"}).AsString();
    EXPECT_NE(unknown.find("Q/999999"), std::string::npos) << unknown;

    MessageTable table("# comment\n\nI\t000001\tline one\\r\\nline two\nbroken line\nW\t000002\t\tleading tab\n");
    EXPECT_EQ(table.Size(), 2u);
    EXPECT_EQ(table.Text("I", "000001"), "line one\r\nline two");
    EXPECT_EQ(table.Text("W", "000002"), "\tleading tab");
    EXPECT_FALSE(table.Find("E", "000001"));
}

TEST(MessageTable, HasATextForEveryCodeThePlugInShows) {
    const char* codes[] = {"C/000001", "C/000002", "C/000004", "C/000005", "C/200002", "D/000001", "D/000002", "E/000001",
                           "E/000002", "E/000003", "E/000004", "E/000005", "E/000007", "E/000008", "E/000009", "E/000015",
                           "E/000016", "E/000032", "E/000033", "E/000038", "E/100002", "E/100012", "E/100187", "E/100280",
                           "E/100288", "E/200128", "E/200129", "E/200130", "E/200132", "E/200570", "E/200571", "E/200572",
                           "E/200573", "E/200574", "E/200575", "E/200820", "I/000006", "I/200007", "I/200010", "W/000001",
                           "W/000004", "W/000005", "W/100001", "W/100079"};
    for (std::string code : codes) EXPECT_TRUE(BuiltInMessages().Find(code.substr(0, 1), code.substr(2))) << code;
}

TEST(MessageTable, AnEnglishInterfaceReadsEveryMessageInEnglish) {
    TTestInstallation install;
    Variant manager(CreateHostManager());
    install.SetCodePages("437");
    EXPECT_EQ(OleCall(manager, "GetMessage", {"C", "000004"}).AsString(), "The new record has not been saved. Discard it?");
    install.SetCodePages("950");
    EXPECT_EQ(OleCall(manager, "GetMessage", {"C", "000004"}).AsString(), "新增的资料尚未保存, 确定要放弃吗?")
        << "the program converts the built-in texts for a traditional interface";

    // Every message has its English text, with the placeholders of the built-in one.
    const MessageTable& english = MessagesFor("437");
    auto placeholders = [](const std::string& text) {
        int count = 0;
        for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) ++count;
        return count;
    };
    ASSERT_GT(BuiltInMessages().Size(), 40u);
    for (const auto& [kind, code] : BuiltInMessages().Keys()) {
        const std::string text = english.Text(kind, code);
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            << kind << "/" << code << " has no English text: " << text;
        EXPECT_EQ(placeholders(text), placeholders(BuiltInMessages().Text(kind, code))) << kind << "/" << code << ": " << text;
    }
}

TEST_P(HostServicesTest, ManagerReportsItsVersionAndRecordsCalls) {
    auto object = std::make_shared<THostManager>();
    Variant manager(object);
    EXPECT_EQ(OleGet(manager, "DependencyVersion").AsInteger(), 8000);
    OlePut(manager, "DependencyVersion", 7005);
    EXPECT_EQ(OleGet(manager, "DependencyVersion").AsInteger(), 7005);

    Variant out;
    EXPECT_EQ(OleCall(manager, "ExecWork",
                      {VarArrayOf({"DS", "DEMO", "TMCI05"}), "p", VarArrayOf({0, 4, Variant()}), 2, Variant::Ref(&out)})
                  .AsInteger(),
              0);
    OleCall(manager, "CallHelp", {VarArrayOf({"TDE", "F0500000"})});
    ASSERT_EQ(object->Calls().size(), 2u);
    EXPECT_EQ(object->Calls()[0].member, "ExecWork");
    EXPECT_EQ(object->Calls()[0].args[0][2].AsString(), "TMCI05");
    EXPECT_EQ(object->Calls()[1].member, "CallHelp");
    EXPECT_EQ(object->Calls()[1].args[0][1].AsString(), "F0500000");

    object->SetExecWorkHandler([](VarArgs&) { return -5; });
    EXPECT_EQ(OleCall(manager, "ExecWork", {VarArrayOf({"DS"})}).AsInteger(), -5);
}

TEST_P(HostServicesTest, CounterForwardsNamedCallsByTheirExactName) {
    Variant counter = OleGet(Manager(), "Com_Counter");
    ASSERT_TRUE(counter.IsDispatch());
    Variant context = VarArrayOf({VarArrayOf({"DEMO", "DEMO"})});
    for (const char* name : {"SimpleSql", "SimpleSQL"}) {
        Variant callName = name;
        Variant rows = OleCall(counter, "GETCOUNTER",
                               {Variant::Ref(&callName),
                                VarArrayOf({"SELECT MB002 FROM $$ADMMB WHERE MB001='TDEF05'", "MB002", "DEMO", "N"}), context});
        ASSERT_TRUE(rows.IsArray()) << name;
        EXPECT_EQ(rows[0][0].AsString(), "文档信息录入作业");
    }
    Variant tx = "TransactionSQL";
    OleCall(counter, "GETCOUNTER",
            {Variant::Ref(&tx), VarArrayOf({VarArrayOf({"DELETE FROM ADMMA WHERE MA001='ACT'"}), ""}), context});
    Variant sql = "SimpleSql";
    EXPECT_TRUE(OleCall(counter, "GETCOUNTER",
                        {Variant::Ref(&sql), VarArrayOf({"SELECT MA001 FROM ADMMA WHERE MA001='ACT'", "MA001"}), context})
                    .IsEmpty());
    // Names are matched exactly; an unknown one is an error, not an empty answer.
    Variant lower = "simplesql";
    EXPECT_THROW(OleCall(counter, "GETCOUNTER", {Variant::Ref(&lower), VarArrayOf({"SELECT 1", ""}), context}), EOleError);
    Variant unknown = "NoSuchCall";
    EXPECT_THROW(OleCall(counter, "GETCOUNTER", {Variant::Ref(&unknown), VarArrayOf({}), context}), EOleError);

    Variant info = OleCall(counter, "GetSysInfo", {"DEMO"});
    ASSERT_EQ(info.DimCount(), 2);
    EXPECT_GT(info.Count(2), 3);
}

TEST_P(HostServicesTest, ValidatorWritesTheFoundValuesIntoTheCallersVariable) {
    Variant manager = Manager();
    Variant validator = OleGet(manager, "Com_Validator");
    EXPECT_TRUE(OleGet(manager, "Com_Validator").AsDispatch() == validator.AsDispatch()) << "one validator per manager";
    Variant database = "DEMO", values;
    EXPECT_TRUE(OleCall(validator, "CheckValue",
                        {"ADMMB", "06", Variant::Ref(&database), VarArrayOf({"TDEF05", "DEMO"}), Variant::Ref(&values)})
                    .AsBool());
    ASSERT_TRUE(values.IsArray());
    EXPECT_EQ(values[0].AsString(), "文档信息录入作业");
    // An empty database means the logged-in one.
    Variant none = "";
    EXPECT_TRUE(OleCall(validator, "CheckValue", {"ADMMA", "01", Variant::Ref(&none), VarArrayOf({"INV"}), Variant::Ref(&values)})
                    .AsBool());
    EXPECT_EQ(values[0].AsString(), "存货管理");
    EXPECT_FALSE(
        OleCall(validator, "QueryData", {"ADMMD", "03", Variant::Ref(&none), VarArrayOf({"NODOC"}), Variant::Ref(&values)})
            .AsBool());
    EXPECT_TRUE(values.IsEmpty());
    Variant number;
    EXPECT_TRUE(OleCall(validator, "QueryMaxSeq",
                        {"ADMMD", Variant::Ref(&none), "MD001,MD002", VarArrayOf({"ADMMA"}), "", Variant::Ref(&number)})
                    .AsBool());
    char next[16];
    std::snprintf(next, sizeof next, "%04zu", CompanyDatabase(dbPath_).Columns("ADMMA").size() + 1);
    EXPECT_EQ(number.AsString(), next);
}

TEST_P(HostServicesTest, LookupServiceListsCatalogRowsAndLetsTheWindowChoose) {
    Variant pickvu = OleGet(Manager(), "Com_Pickvu");
    ASSERT_TRUE(pickvu.IsDispatch());
    auto params = [](const std::string& table, const std::string& search) {
        Variant p = VarArrayCreate(0, 18);
        p[0] = table;
        p[1] = "01";
        p[2] = VarArrayOf({});
        p[4] = search;
        p[5] = "DEMO";
        p[6] = "DEMO";
        return p;
    };
    Variant rows = OleCall(pickvu, "F2GetData", {params("ADMMA", "IN")});
    ASSERT_TRUE(rows.IsArray());
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(rows[0][0].AsString(), "INV");
    EXPECT_EQ(rows[0][1].AsString(), "存货管理");
    EXPECT_TRUE(OleCall(pickvu, "F2GetData", {params("ADMMA", "QQ")}).IsEmpty());
    EXPECT_TRUE(OleCall(pickvu, "F2GetData", {params("NOTABLE", "")}).IsEmpty());

    // The window is a callback: here it picks the second candidate and sees the caption and titles.
    auto* service = dynamic_cast<TLookupService*>(pickvu.AsDispatch().get());
    ASSERT_NE(service, nullptr);
    std::string caption;
    service->Callbacks().choose = [&](const LookupRequest& request, const Variant& candidates) {
        caption = request.caption + "|" + request.titles.at(0);
        return VarArrayOf({candidates[1]});
    };
    rows = OleCall(pickvu, "F2GetData", {params("ADMMA", "")});
    EXPECT_EQ(caption, "系统信息查询|系统编号");
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(rows[0][0].AsString(), "ADM");

    Variant text = "原文";
    EXPECT_LT(OleCall(pickvu, "GetPhrase2", {"DS", "DEMO", 0, Variant::Ref(&text)}).AsInteger(), 0);
    EXPECT_EQ(text.AsString(), "原文");
    // The window offers the company's phrases of the user: the user's own first, then everyone's.
    std::vector<std::string> offered;
    service->Callbacks().phrase = [&](const std::string&, const std::string&, const std::vector<std::string>& phrases,
                                      std::string& t) {
        offered = phrases;
        t += "+" + phrases.at(0);
        return 1;
    };
    EXPECT_EQ(OleCall(pickvu, "GetPhrase2", {"DS", "DEMO", 0, Variant::Ref(&text)}).AsInteger(), 1);
    EXPECT_EQ(text.AsString(), "原文+待确认");
    ASSERT_GE(offered.size(), 3u);
    EXPECT_EQ(offered[2], "同上");
    OleCall(pickvu, "GetPhrase2", {"GUEST", "DEMO", 0, Variant::Ref(&text)});
    EXPECT_EQ(offered.at(0), "同上");
    service->Callbacks().calculate = [](const std::string& t) { return t == "1+2" ? std::string("3") : t; };
    EXPECT_EQ(OleCall(pickvu, "GetCalcValue", {"1+2", 0}).AsString(), "3");
    EXPECT_EQ(OleCall(pickvu, "ShowInputDay", {1, "20240105", "DEMO"}).AsString(), "20240105");
}

TEST_P(HostServicesTest, UserSettingsAreKeptPerUserAndFallBackToAllPrograms) {
    Variant counter = OleGet(Manager(), "Com_Counter");
    Variant context = VarArrayOf({VarArrayOf({"DEMO", "DEMO"})});
    auto call = [&](const char* name, const Variant& params) {
        Variant callName = name;
        return OleCall(counter, "GETCOUNTER", {Variant::Ref(&callName), params, context}).AsString();
    };
    const char* all = "********************";
    EXPECT_EQ(call("GetUserDefine", VarArrayOf({"DEMO", "DS", "TDEF05", "InputSettings002"})), "");
    EXPECT_EQ(call("SetUserDefine", VarArrayOf({"DEMO", "DS", all, "InputSettings002/IsKeepOnAdd", "False"})), "");
    EXPECT_EQ(call("SetUserDefine", VarArrayOf({"DEMO", "DS", all, "InputSettings002/IsFocusPageOne", "True"})), "");
    EXPECT_EQ(call("SetUserDefine", VarArrayOf({"DEMO", "DS", all, "InputSettings002/IsKeepOnAdd", "True"})), "");
    // Read with the program's id, the setting for every program answers.
    EXPECT_EQ(call("GetUserDefine", VarArrayOf({"DEMO", "DS", "TDEF05", "InputSettings002"})),
              "<InputSettings002><IsKeepOnAdd>True</IsKeepOnAdd><IsFocusPageOne>True</IsFocusPageOne></InputSettings002>");
    // A program's own setting wins; other users see nothing of it.
    EXPECT_EQ(call("SetUserDefine", VarArrayOf({"DEMO", "DS", "TDEF05", "InputSettings002/IsKeepOnAdd", "False"})), "");
    EXPECT_NE(call("GetUserDefine", VarArrayOf({"DEMO", "DS", "TDEF05", "InputSettings002"})).find("<IsKeepOnAdd>False<"),
              std::string::npos);
    EXPECT_EQ(call("GetUserDefine", VarArrayOf({"DEMO", "CLERK", "TDEF05", "InputSettings002"})), "");

    // "." stores a whole document under its root's name.
    std::string numbers =
        "<NumberFieldsSetting Enabled=\"True\">  <QuantityFieldAutoZero>False</QuantityFieldAutoZero>  "
        "<MoneyFieldThousand>True</MoneyFieldThousand></NumberFieldsSetting>";
    EXPECT_EQ(call("SetUserDefine", VarArrayOf({"DEMO", "DS", all, ".", numbers})), "");
    std::string stored = call("GetUserDefine", VarArrayOf({"DEMO", "DS", "TDEF05", "NumberFieldsSetting"}));
    EXPECT_NE(stored.find("<QuantityFieldAutoZero>False</QuantityFieldAutoZero>"), std::string::npos) << stored;
    EXPECT_NE(stored.find("Enabled=\"True\""), std::string::npos) << stored;
    EXPECT_NE(call("SetUserDefine", VarArrayOf({"DEMO", "DS", all, ".", "<broken"})), "");
    EXPECT_NE(call("SetUserDefine", VarArrayOf({"DEMO", "DS", all, "NoElement", "x"})), "");
}
