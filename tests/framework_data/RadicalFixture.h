#pragma once
// A client installation configured for the in-process application server over a fresh, seeded
// company database; the work center's manager with its validator and message table; a broker
// logged in as the demo user; scripted message dialogs.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/data/RadicalDM.h"
#include "outside/appserver/AppServer.h"
#include "outside/appserver/CompanyDatabase.h"
#include "outside/pickvu/LookupService.h"
#include "outside/torvane/HostManager.h"
#include "server/Brokers.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/dialogs/ScriptedModalLoop.h"
#include "toolkit/ui/kernel/Application.h"

// A program data module as the framework's descendants build one: a header dataset on MIDAS whose
// rows are stamped before they are posted. It records the start-up hooks it runs.
class TdmProbe : public TdmRadical {
    TK_CLASS(TdmProbe, TdmRadical)
public:
    explicit TdmProbe(TComponent* owner) : TdmRadical(owner) {
        cdsMain = CreateComponent<TClientDataSet>(this);
        cdsMain->SetName("cdsMain");
        cdsMain->ProviderName = "pvdMain";
        cdsMain->RemoteServer = &MIDAS;
        cdsMain->BeforePost = [this](TDataSet* ds) { StampSystemColumns(ds); };
        cdsBody = CreateComponent<TClientDataSet>(this);
        cdsBody->SetName("cdsBody1");
        cdsBody->BeforePost = [this](TDataSet* ds) { StampSystemColumns(ds); };
    }

    bool OpenLookupConnection() override {
        hooks.push_back(18);
        return TdmRadical::OpenLookupConnection();
    }
    int AfterConnectHook() override {
        hooks.push_back(16);
        return 0;
    }
    void OpenProviderDataSets() override {
        hooks.push_back(20);
        TdmRadical::OpenProviderDataSets();
        if (TField* body = cdsMain->FindField("qryBody"); body && !cdsBody->DataSetField()) {
            cdsBody->SetDataSetField(static_cast<TDataSetField*>(body));
            cdsBody->Open();
        }
    }

    TClientDataSet* cdsMain = nullptr;
    TClientDataSet* cdsBody = nullptr;
    std::vector<int> hooks;
};

class RadicalFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "tdef-radical-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        client_ = (folder_ / "client").string() + "/";
        std::filesystem::create_directories(client_);
        WriteFile(client_ + "VandrilC.ini", "[Server Information]\nComputerName=127.0.0.1\nServerPort=211\n");
        WriteFile((folder_ / "registry.ini").string(),
                  "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\nClientPath=" + client_ + "\nANSICodePage=936\n");
        setenv("VANDRIL_REGISTRY", (folder_ / "registry.ini").c_str(), 1);
        const std::string company = (folder_ / "company.db").string();
        CompanyDatabase::Create(company);
        RegisterOleClass("Nexor01S.Class1", [company](const std::string&) { return CreateAppServer(company); });
        RegisterOleClass("PickvuS.Class1", [](const std::string&) { return CreateLookupService(); });

        modal_ = std::make_shared<TScriptedModalLoop>();
        modal_->When("TMessageForm", [this](TCustomForm& form) {
            shown.push_back(static_cast<TMessageForm&>(form).MessageText());
            int answer = answers.empty() ? mrOk : answers.front();
            if (!answers.empty()) answers.pop_front();
            form.SetModalResult(answer);
        });
        savedModal_ = Application->SetModalLoop(modal_);

        hostManager_ = Variant(CreateHostManager());
        OleCall(hostManager_, "Connect", {VarArrayOf({"DS", "DEMO", "DEMO"})});
        brokers = CreateComponent<TBrokers>(nullptr);
        brokers->UserId = "DS";
        brokers->CompanyId = "DEMO";
        brokers->DatabaseName = "DEMO";
        brokers->ProgramId = "ADMI02";
        brokers->HostManager = hostManager_;
        brokers->AttachServices();
        brokers->LoadSysInfo();
        dm = CreateComponent<TdmProbe>(nullptr);
        dm->SetBrokers(brokers);
    }

    void TearDown() override {
        FreeAndNil(dm);
        FreeAndNil(brokers);
        hostManager_ = Variant();
        db_.reset();
        Application->SetModalLoop(savedModal_);
        UnregisterOleClass("Nexor01S.Class1");
        UnregisterOleClass("PickvuS.Class1");
        unsetenv("VANDRIL_REGISTRY");
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Connects the data module as the program and user, as LoadRights does.
    bool Connect(const std::string& program = "ADMI02", const std::string& user = "DS") {
        brokers->ProgramId = program;
        brokers->UserId = user;
        bool open = dm->OpenDataConnection();
        brokers->UserGroup = brokers->ProgramInfo.Values("USER_GROUP");
        return open;
    }

    CompanyDatabase& Db() {
        if (!db_) db_ = std::make_unique<CompanyDatabase>((folder_ / "company.db").string());
        return *db_;
    }
    Variant Value(const std::string& sql, const std::vector<Variant>& params = {}) {
        SqlResult r = Db().Query(sql, params);
        return r.rows.empty() ? Variant() : r.rows[0][0];
    }

    static void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }

    std::filesystem::path folder_;
    std::string client_;
    TBrokers* brokers = nullptr;
    TdmProbe* dm = nullptr;
    std::vector<std::string> shown;  // texts of the message dialogs shown
    std::deque<int> answers;         // answers for the next message dialogs (default OK)

private:
    std::shared_ptr<TScriptedModalLoop> modal_;
    std::shared_ptr<IModalLoop> savedModal_;
    Variant hostManager_;
    std::unique_ptr<CompanyDatabase> db_;
};
