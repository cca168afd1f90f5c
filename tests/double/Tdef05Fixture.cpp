#include "tests/double/Tdef05Fixture.h"

#include <sqlite3.h>

#include <utility>

#include "dialogs/RkCopy.h"
#include "server/Brokers.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dataaware/DBEdit.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/Edit.h"

void Tdef05Fixture::SetUp() {
    install.CreateCompanyDatabase();
    savedLookup = DefaultLookupCallbacks();
    RegisterCopyDialog();
}

void Tdef05Fixture::TearDown() {
    CloseForm();
    DefaultLookupCallbacks() = savedLookup;
}

TfrmTdef05* Tdef05Fixture::Open(const std::string& user, const std::function<void(TfrmTdef05&)>& prepare) {
    CloseForm();
    form = CreateComponent<TfrmTdef05>(nullptr);
    if (prepare) prepare(*form);
    Start(*form, "Tdef05C.so", user);
    return form;
}

void Tdef05Fixture::CloseForm() { Free(std::exchange(form, nullptr)); }

TdmTdef05& Tdef05Fixture::Dm() const { return *dynamic_cast<TdmTdef05*>(form->DataModule); }

std::vector<std::string> Tdef05Fixture::Rows(const std::string& select) const {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open(install.DatabaseFile().c_str(), &db) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, select.c_str(), -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW) {
                std::string row;
                for (int c = 0; c < sqlite3_column_count(st); ++c) {
                    const unsigned char* text = sqlite3_column_text(st, c);
                    row += (c ? "|" : "") + std::string(text ? reinterpret_cast<const char*>(text) : "");
                }
                rows.push_back(row);
            }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return rows;
}

std::string Tdef05Fixture::Sql(const std::string& select) const {
    std::vector<std::string> rows = Rows(select);
    return rows.empty() ? std::string() : rows.front().substr(0, rows.front().find('|'));
}

void Tdef05Fixture::Enter(TWinControl* control, const std::string& text) {
    control->SetFocus();
    if (auto* edit = dynamic_cast<TCustomEdit*>(control)) edit->SelectAll();
    Type(text);
    Key(VK_TAB);
}

void Tdef05Fixture::ShowDocument(const std::string& code) {
    form->OpenWithCondition(&Main(), "ADMMC.MC001 = '" + code + "'", "");
    form->SetEditMode(emBrowse);
    Application->ProcessMessages();
}

void Tdef05Fixture::AddTestDocument(const std::string& code) {
    Key(VK_F5);
    Type(code);
    Key(VK_TAB);
    Type("测试表");
    Key(VK_TAB);
    Key(VK_TAB);
    Type("ADM");
    Key(VK_TAB);
    Type("测试用的表");
    Key(VK_RETURN);  // into the body: the first line is there
    struct TLine {
        const char *code, *name, *type, *length;
    };
    bool first = true;
    for (const TLine& line :
         {TLine{"ID", "编号", "V", "10"}, TLine{"NAME", "名称", "V", "40"}, TLine{"PRICE", "单价", "N", "16.4"}}) {
        if (!first) Key(VK_DOWN);
        first = false;
        Key(VK_TAB);
        for (const char* text : {line.code, line.name, line.type, line.length}) {
            Type(text);
            Key(VK_RETURN);
        }
    }
    Key(VK_F12);
}
