// Data modules under a traditional interface over a simplified database: labels and keyed texts in
// the interface's script, typed texts stored simplified and shown back traditional.
#include <cstdlib>

#include "i18n/CodeConverter.h"
#include "tests/framework_data/RadicalFixture.h"
#include "toolkit/data/Field.h"
#include "toolkit/ui/kernel/Forms.h"

namespace {

class LocalizationTest : public RadicalFixture {
protected:
    void SetUp() override {
        RadicalFixture::SetUp();
        WriteFile(client_ + "VandrilC.ini",
                  "[Server Information]\nComputerName=127.0.0.1\nServerPort=211\n[CodePage]\nUICodePage=950\nDBCodePage=936\n");
        // The installation's traditional pack, as the set-up copies it.
        const char* bin = std::getenv("TDEF_BIN");
        ASSERT_NE(bin, nullptr);
        std::filesystem::create_directories(client_ + "MultiLanguage/CHT");
        std::filesystem::copy_file(std::string(bin) + "/client/MultiLanguage/CHT/TdmRadical.Lng",
                                   client_ + "MultiLanguage/CHT/TdmRadical.Lng");
        documents = CreateComponent<TClientDataSet>(dm);
        documents->SetName("cdsDocuments");
        documents->FieldDefs().Add("MC002", ftString, 20);
        documents->FieldDefs().Add("CREATOR", ftString, 10);
        documents->CreateDataSet();
        documents->FieldByName("MC002")->SetDisplayLabel("文件名称");
    }

    TClientDataSet* documents = nullptr;
};

}  // namespace

TEST_F(LocalizationTest, TypedTraditionalTextIsStoredSimplifiedAndShownTraditional) {
    dm->LocalizeFields();
    dm->LabelSystemColumns(documents);
    EXPECT_EQ(documents->FieldByName("MC002")->DisplayLabel(), "文件名稱");
    EXPECT_EQ(documents->FieldByName("CREATOR")->DisplayLabel(), "錄入者") << "from the traditional pack";

    documents->Append();
    documents->FieldByName("MC002")->SetText("資料檔");
    EXPECT_EQ(documents->FieldByName("MC002")->AsString(), "资料档") << "stored as the database writes it";
    EXPECT_EQ(documents->FieldByName("MC002")->Text(), "資料檔");
    documents->Post();
    documents->Append();
    documents->FieldByName("MC002")->SetAsString("单身设置");
    EXPECT_EQ(documents->FieldByName("MC002")->DisplayText(), "單身設置") << "what the server sent, shown traditional";
}

TEST_F(LocalizationTest, AModuleUsesItsWindowsConverterOrItsOwn) {
    TCodeConverter* own = dm->Converter();
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->Owner(), dm);
    EXPECT_EQ(dm->Converter(), own) << "made once";

    TOwnedPtr<TForm> window(CreateComponent<TForm>(nullptr));
    auto* converter = CreateComponent<TCodeConverter>(window.get());
    converter->SetName("RkConverter");
    auto* owned = CreateComponent<TdmProbe>(window.get());
    EXPECT_EQ(owned->Converter(), converter);
}
