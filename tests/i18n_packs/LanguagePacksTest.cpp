// The language packs against the windows they translate: every text of every window and data module
// of PackWindows(), and every keyed text the program declares, seen as the user of an English (437) or
// traditional Chinese (950) interface sees them once the programs have started. The failure lists what
// a pack leaves untranslated. This program's name holds "torvane": its program windows are hosted.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "framework/forms/RadicalForm.h"
#include "i18n/LangKeys.h"
#include "i18n/LangMessage.h"
#include "i18n/Translator.h"
#include "outside/torvane/HostManager.h"
#include "programs/tdef05/Tdef05Form.h"
#include "server/Brokers.h"
#include "tests/i18n_packs/PackWindows.h"
#include "tests/i18n_packs/VisibleTexts.h"
#include "tests/single/program/Tsgl01Form.h"
#include "tests/single/program/Tsgl01Install.h"
#include "tests/testkit/ScriptedApp.h"
#include "tests/testkit/TestInstallation.h"
#include "toolkit/ui/kernel/Application.h"

namespace {

using TUntranslated = std::function<bool(const std::string& text)>;

std::string Listing(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "\n  " + line;
    return text;
}

// The programs started as the work center starts them: the library's path names the program.
class TStartedPrograms : public IPackPrograms {
public:
    explicit TStartedPrograms(TScriptedModalLoop& modalLoop) : modalLoop_(modalLoop) {}
    ~TStartedPrograms() override {
        for (TfrmRadical* form : {tdef05_, tsgl01_})
            if (form) form->Free();
        Application->ProcessMessages();
    }
    TfrmRadical& Tdef05() override { return Started<TfrmTdef05>(tdef05_, "Tdef05C.so"); }
    TfrmRadical& Tsgl01() override { return Started<TfrmTsgl01>(tsgl01_, "Tsgl01C.so"); }
    TScriptedModalLoop& ModalLoop() override { return modalLoop_; }

private:
    template <class Form>
    TfrmRadical& Started(TfrmRadical*& form, const char* library) {
        if (form) return *form;
        form = CreateComponent<Form>(nullptr);
        form->LibraryPath = TTestInstallation::BinFolder() + library;
        form->Brokers->HostManager = Variant(DispatchPtr(manager_));
        form->StartProgram(VarArrayOf({"DS", "DEMO", "DEMO", 0, ""}));
        form->Show();
        Application->ProcessMessages();
        return *form;
    }

    TScriptedModalLoop& modalLoop_;
    std::shared_ptr<THostManager> manager_ = std::make_shared<THostManager>();
    TfrmRadical* tdef05_ = nullptr;
    TfrmRadical* tsgl01_ = nullptr;
};

class LanguagePacks : public ::testing::Test {
protected:
    void SetUp() override {
        install.CreateCompanyDatabase();
        for (const std::string& sql : Tsgl01InstallStatements()) install.ExecuteSql(sql);
    }

    // What the packs leave untranslated under the interface code page, one line each.
    std::vector<std::string> Untranslated(const std::string& codePage, const TUntranslated& untranslated) {
        install.SetCodePages(codePage, "936");
        std::vector<std::string> found;
        {
            TStartedPrograms programs(app.ModalLoop());
            for (const TPackWindow& window : PackWindows()) {
                bool reached = false;
                window.Visit(programs, [&](TComponent& instance) {
                    reached = true;
                    for (const auto& [path, text] : VisibleTexts(instance)) {
                        const auto& data = window.DataTexts;
                        if (std::find(data.begin(), data.end(), path) == data.end() && untranslated(text))
                            found.push_back(window.ClassName + "." + path + ": " + text);
                    }
                });
                if (!reached) found.push_back(window.ClassName + ": not reached");
            }
            EXPECT_TRUE(app.ShownTexts().empty()) << ::testing::PrintToString(app.ShownTexts());
        }
        for (const TLangKey& key : DeclaredLangKeys()) {
            const std::string text = GetLangMessage(dtClient, key.ClassName, key.Key, std::string());
            if (text.empty() || untranslated(text)) found.push_back(key.ClassName + "." + key.Key + ": " + (text.empty() ? key.Default : text));
        }
        return found;
    }

    TTestInstallation install;
    TScriptedApp app;
};

}  // namespace

TEST_F(LanguagePacks, TheEnglishPackLeavesNoChineseText) {
    const std::vector<std::string> untranslated = Untranslated("437", HasChineseText);
    EXPECT_TRUE(untranslated.empty()) << "untranslated in MultiLanguage/ENG:" << Listing(untranslated);
}

TEST_F(LanguagePacks, TheTraditionalPackLeavesNoSimplifiedText) {
    TTranslator translator;
    const std::vector<std::string> untranslated =
        Untranslated("950", [&](const std::string& text) { return translator.GBtoBIG5(text) != text; });
    EXPECT_TRUE(untranslated.empty()) << "untranslated in MultiLanguage/CHT:" << Listing(untranslated);
}

TEST_F(LanguagePacks, TheCheckSeesWhatAMissingPackLeaves) {
    // Without the English pack of TdmRadical its keyed texts are listed with their defaults.
    install.SetCodePages("437", "936");
    std::filesystem::remove(install.ClientPath() + "MultiLanguage/ENG/TdmRadical.Lng");
    const std::vector<std::string> untranslated = Untranslated("437", HasChineseText);
    EXPECT_NE(std::find(untranslated.begin(), untranslated.end(), "TdmRadical.sCreator: 录入者"), untranslated.end())
        << Listing(untranslated);
    EXPECT_TRUE(HasChineseText("保存"));
    EXPECT_TRUE(HasChineseText("Save（F4）"));
    EXPECT_FALSE(HasChineseText("Save (F4) €"));
}
