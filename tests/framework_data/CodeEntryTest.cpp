// Customer, supplier, account and item codes entered by system setting: kept as typed or replaced by
// what the lookup service finds.
#include <memory>

#include "RadicalFixture.h"

namespace {

// The lookup windows of the work center stand outside this system; this one records what it is asked
// and answers with a chosen row for the tables it knows.
class TRecordingLookup : public TDispatchObject {
public:
    TRecordingLookup() {
        DefineMethod("F2GetData", [this](VarArgs& a) {
            const Variant& request = a.at(0).Deref();
            tables.push_back(VarToStr(request[0]));
            kinds.push_back(VarToStr(request[1]));
            keys.push_back(request[2]);
            auto found = answers.find(VarToStr(request[0]));
            if (found == answers.end()) return Variant();
            return VarArrayOf({VarArrayOf({found->second, "名称"})});
        });
    }
    std::map<std::string, std::string> answers;
    std::vector<std::string> tables, kinds;
    std::vector<Variant> keys;
};

}  // namespace

class CodeEntryTest : public RadicalFixture {
protected:
    void SetUp() override {
        RadicalFixture::SetUp();
        lookup = std::make_shared<TRecordingLookup>();
        lookup->answers = {{"COPMA", "C001"}, {"PURMA", "P001"}, {"ACTMA", "1001"}, {"INVMH", "ITEM-BC"}, {"INVMB", "ITEM-1"}};
        brokers->LookupService = Variant(std::static_pointer_cast<IDispatchObject>(lookup));
        rows = CreateComponent<TClientDataSet>(dm);
        rows->FieldDefs().Add("CODE", ftString, 20);
        rows->FieldDefs().Add("KIND", ftString, 1);
        rows->CreateDataSet();
        rows->Append();
    }
    TField* Code() { return rows->FieldByName("CODE"); }

    std::shared_ptr<TRecordingLookup> lookup;
    TClientDataSet* rows = nullptr;
};

TEST_F(CodeEntryTest, CustomerAndSupplierCodesFollowTheirSettings) {
    brokers->SetSysValue("SYS054", "1");
    dm->CustomerFieldSetText(Code(), "张三");
    EXPECT_EQ(Code()->AsString(), "张三");
    EXPECT_TRUE(lookup->tables.empty());

    brokers->SetSysValue("SYS054", "2");
    dm->AttachFieldHandler(Code(), "CustomerFieldSetText");
    Code()->SetText("zs");
    EXPECT_EQ(Code()->AsString(), "C001");
    ASSERT_EQ(lookup->kinds.size(), 1u);
    EXPECT_EQ(lookup->tables[0], "COPMA");
    EXPECT_EQ(lookup->kinds[0], "62");
    EXPECT_EQ(VarToStr(lookup->keys[0][0]), "zs");

    brokers->SetSysValue("SYS054", "0");
    lookup->answers.erase("COPMA");
    Code()->SetText("zs");
    EXPECT_EQ(lookup->kinds.back(), "61");
    EXPECT_EQ(Code()->AsString(), "zs");

    brokers->SetSysValue("SYS055", "2");
    dm->ProviderFieldSetText(Code(), "li", "71");
    EXPECT_EQ(lookup->tables.back(), "PURMA");
    EXPECT_EQ(lookup->kinds.back(), "72");
    EXPECT_EQ(Code()->AsString(), "P001");
    brokers->SetSysValue("SYS055", "3");
    dm->ProviderFieldSetText(Code(), "li", "71");
    EXPECT_EQ(lookup->kinds.back(), "71");
}

TEST_F(CodeEntryTest, AccountAndItemCodesTakeDefaultsAndBarCodesComeFirst) {
    brokers->SetSysValue("SYS056", "2");
    dm->CostFieldSetText(Code(), "10", Variant());
    EXPECT_EQ(lookup->tables.back(), "ACTMA");
    EXPECT_EQ(lookup->kinds.back(), "67");
    EXPECT_EQ(VarToStr(lookup->keys.back()[0]), "10");
    EXPECT_EQ(Code()->AsString(), "1001");
    dm->CostFieldSetText(Code(), "10", VarArrayOf({"A", "B"}), "80", "CMSMV");
    EXPECT_EQ(lookup->tables.back(), "CMSMV");
    EXPECT_EQ(lookup->kinds.back(), "81");
    EXPECT_EQ(VarToStr(lookup->keys.back()[1]), "B");
    EXPECT_EQ(Code()->AsString(), "10");

    brokers->SetSysValue("SYS053", "3");
    dm->BarCodeFieldSetText(Code(), "6901", Variant());
    EXPECT_EQ(lookup->tables.back(), "INVMB");
    EXPECT_EQ(lookup->kinds.back(), "63");
    EXPECT_EQ(Code()->AsString(), "ITEM-1");

    rows->FieldByName("KIND")->SetAsString("2");
    dm->BarCodeTypeField = rows->FieldByName("KIND");
    dm->BarCodeFieldSetText(Code(), "6901", Variant());
    EXPECT_EQ(lookup->tables.back(), "INVMH");
    EXPECT_EQ(lookup->kinds.back(), "01");
    EXPECT_EQ(Code()->AsString(), "ITEM-BC");

    // An unknown setting leaves the field as it is; an empty text empties it.
    dm->BarCodeTypeField = nullptr;
    brokers->SetSysValue("SYS053", "9");
    dm->BarCodeFieldSetText(Code(), "6902", Variant());
    EXPECT_EQ(Code()->AsString(), "ITEM-BC");
    dm->BarCodeFieldSetText(Code(), "", Variant());
    EXPECT_EQ(Code()->AsString(), "");
}
