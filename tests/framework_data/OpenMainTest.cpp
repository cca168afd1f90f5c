// The base data module's header dataset over the real application server: opened from the program
// information, fetched a packet at a time as the user scrolls, and its record events asking the
// owning form.
#include <algorithm>

#include "framework/data/BaseDM.h"
#include "framework/data/RecordEventsOwner.h"
#include "tests/framework_data/RadicalFixture.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// The program form as the data module sees it: it may refuse a post and hears every row change.
class TRecordEventsForm : public TComponent, public IRecordEventsOwner {
public:
    explicit TRecordEventsForm(TComponent* owner) : TComponent(owner) {}
    bool ValidateBeforePost(TDataSet* dataSet) override {
        validated.push_back(dataSet->FieldByName("MC001")->AsString());
        return acceptPosts;
    }
    void RecordChanged(TDataSet* dataSet) override { changedTo.push_back(dataSet->FieldByName("MC001")->AsString()); }
    int RecordEditMode() const override { return editMode; }

    bool acceptPosts = true;
    int editMode = 0;
    std::vector<std::string> validated;
    std::vector<std::string> changedTo;
};

class OpenMainTest : public RadicalFixture {
protected:
    void SetUp() override {
        RadicalFixture::SetUp();
        form = CreateComponent<TRecordEventsForm>(nullptr);
        base = CreateComponent<TdmBase>(form);
        base->SetBrokers(brokers);
    }
    void TearDown() override {
        FreeAndNil(form);
        RadicalFixture::TearDown();
    }
    // Documents A001..; their keys sort before the demo company's, into the first packet.
    void AddDocuments(int count) {
        Db().InTransaction([&] {
            for (int d = 1; d <= count; ++d)
                Db().Query(
                    "INSERT INTO ADMMC (MC001, MC002, MC003, MC004, COMPANY, CREATOR, FLAG) VALUES (?, ?, '1', 'ADM', 'DEMO', "
                    "'DS', 1)",
                    {Format("A%.3d", {d}), "表" + std::to_string(d)});
        });
    }
    bool ConnectAsTdef05() {
        brokers->ProgramId = "TDEF05";
        return base->OpenDataConnection();
    }

    TRecordEventsForm* form = nullptr;
    TdmBase* base = nullptr;
};

}  // namespace

TEST_F(OpenMainTest, TheHeaderOpensFromTheProgramInformationAndFetchesAsTheUserScrolls) {
    AddDocuments(45);
    const int stored = Value("SELECT COUNT(*) FROM ADMMC").AsInteger();
    ASSERT_TRUE(ConnectAsTdef05());
    ASSERT_TRUE(base->cdsMain->Active()) << "connecting opens the header";
    EXPECT_EQ(base->MainTable, "ADMMC");
    EXPECT_EQ(base->KeyFields, "MC001");
    EXPECT_EQ(base->ServerRecordCount, stored) << "the server's count of the whole selection";
    EXPECT_LT(base->cdsMain->RecordCount(), stored) << "only the first packet is fetched";
    EXPECT_TRUE(base->cdsMain->MoreRowsAvailable());

    // Walking to the end fetches the rest, in key order, without skipping or repeating a row.
    std::vector<std::string> keys;
    for (base->cdsMain->First(); !base->cdsMain->Eof(); base->cdsMain->Next())
        keys.push_back(base->cdsMain->FieldByName("MC001")->AsString());
    EXPECT_EQ(static_cast<int>(keys.size()), stored);
    EXPECT_EQ(base->cdsMain->RecordCount(), stored);
    EXPECT_FALSE(base->cdsMain->MoreRowsAvailable());
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    EXPECT_TRUE(std::adjacent_find(keys.begin(), keys.end()) == keys.end());

    // Without fetch-on-scroll the dataset stays at its first packet.
    base->cdsMain->Close();
    base->FetchOnScroll = false;
    base->cdsMain->Open();
    const int firstPacket = base->cdsMain->RecordCount();
    for (base->cdsMain->First(); !base->cdsMain->Eof(); base->cdsMain->Next()) {}
    EXPECT_EQ(base->cdsMain->RecordCount(), firstPacket);
}

TEST_F(OpenMainTest, RecordEventsReachTheOwningForm) {
    AddDocuments(3);
    ASSERT_TRUE(ConnectAsTdef05());
    TClientDataSet* main = base->cdsMain;
    ASSERT_TRUE(main->Locate("MC001", Variant("A001"), {}));
    form->changedTo.clear();
    main->Next();
    main->Next();
    EXPECT_EQ(form->changedTo, (std::vector<std::string>{"A002", "A003"}));

    // A post the form refuses is abandoned and the row stays in edit.
    main->Edit();
    main->FieldByName("MC002")->SetAsString("改名");
    form->acceptPosts = false;
    EXPECT_THROW(main->Post(), EAbort);
    EXPECT_EQ(main->State(), dsEdit);
    EXPECT_EQ(form->validated.back(), "A003");
    form->acceptPosts = true;
    main->Post();
    EXPECT_EQ(main->FieldByName("MC002")->AsString(), "改名");

    // In the form's edit mode an edited row is stamped with the modifier.
    form->editMode = 1;
    main->Prior();
    main->Edit();
    EXPECT_EQ(Trim(main->FieldByName("MODIFIER")->AsString()), "DS");
    main->Cancel();
    form->editMode = 0;
    main->First();
    main->Edit();
    EXPECT_EQ(main->FieldByName("MODIFIER")->AsString(), "") << "outside edit mode nothing is stamped";
    main->Cancel();
}

TEST_F(OpenMainTest, ConnectingOpensTheHeaderAsTheProgramInformationSays) {
    // A USD document whose first money column is shown in the currency's two money decimals.
    Db().Query(
        "INSERT INTO ADMMC (MC001, MC002, MC003, MC004, UDF01, UDF51, COMPANY, CREATOR, FLAG) "
        "VALUES ('ACUR1', '币别表', '1', 'ADM', 'USD', 1234.5, 'DEMO', 'DS', 1)");
    base->RegisterCurrencyFields("UDF01", cdtMoney, "cdsMain:UDF51");
    ASSERT_TRUE(ConnectAsTdef05());

    EXPECT_TRUE(base->cdsMain->Active());
    EXPECT_EQ(base->MainTable, "ADMMC");
    EXPECT_EQ(base->KeyFields, "MC001");
    EXPECT_EQ(base->HeaderExtraColumns, "ADMMA.MA002 MC004C") << "SYS150 is Y in the demo company";
    EXPECT_EQ(base->BodyExtraColumns, "");
    EXPECT_EQ(base->cdsMain->FieldByName("FLAG")->DisplayLabel(), "标识");
    EXPECT_EQ(base->cdsMain->FieldByName("CREATOR")->DisplayLabel(), "录入者");

    ASSERT_TRUE(base->cdsMain->Locate("MC001", Variant("ACUR1"), {}));
    EXPECT_EQ(base->cdsMain->FieldByName("UDF51")->DisplayText(), "1,234.50");
}
