// The language packs against the windows they translate: every text of every window and data module
// of PackWindows(), and every keyed text the program declares, seen as the user of an English (437) or
// traditional Chinese (950) interface sees them once the programs have started. The failure lists what
// a pack leaves untranslated. This program's name holds "torvane": its program windows are hosted.
#include <gtest/gtest.h>
#include <opencc/SimpleConverter.hpp>

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
#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"

namespace {

// What is wrong with a text as the user sees it: empty when nothing.
using TUntranslated = std::function<std::string(const std::string& text)>;

// The traditional words of a text shown traditional: the character conversion takes each character's
// first traditional form (复制 -> 復制), the words need the form that fits (複製). Forms outside BIG5
// (爲, 啓) are the dictionary's standard, not the interface's, and do not count.
class TTraditionalWords {
public:
    std::string Check(const std::string& shown) {
        const std::string words = phrases_.Convert(translator_.BIG5toGB(shown));
        const std::vector<std::string> left = Utf8Chars(shown), right = Utf8Chars(words);
        if (left.size() != right.size()) return "the words: " + words;
        for (std::size_t i = 0; i < left.size(); ++i)
            if (left[i] != right[i] && IsRepresentable(right[i], 950)) return "the words: " + words;
        return {};
    }

private:
    TTranslator translator_;
    opencc::SimpleConverter phrases_{"s2t.json"};
};

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

std::string Chinese(const std::string& text) { return HasChineseText(text) ? " (Chinese)" : ""; }

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
                        if (std::find(data.begin(), data.end(), path) != data.end()) continue;
                        if (const std::string why = untranslated(text); !why.empty())
                            found.push_back(window.ClassName + "." + path + ": " + text + why);
                    }
                });
                if (!reached) found.push_back(window.ClassName + ": not reached");
            }
            EXPECT_TRUE(app.ShownTexts().empty()) << ::testing::PrintToString(app.ShownTexts());
        }
        for (const TLangKey& key : DeclaredLangKeys()) {
            const std::string text = GetLangMessage(dtClient, key.ClassName, key.Key, std::string());
            const std::string why = text.empty() ? std::string(" (no entry)") : untranslated(text);
            if (!why.empty()) found.push_back(key.ClassName + "." + key.Key + ": " + (text.empty() ? key.Default : text) + why);
        }
        return found;
    }

    TTestInstallation install;
    TScriptedApp app;
};

}  // namespace

TEST_F(LanguagePacks, TheEnglishPackLeavesNoChineseText) {
    const std::vector<std::string> untranslated = Untranslated("437", Chinese);
    EXPECT_TRUE(untranslated.empty()) << "untranslated in MultiLanguage/ENG:" << Listing(untranslated);
}

TEST_F(LanguagePacks, TheTraditionalPackLeavesNoSimplifiedText) {
    TTranslator translator;
    const std::vector<std::string> untranslated = Untranslated("950", [&](const std::string& text) {
        return translator.GBtoBIG5(text) != text ? std::string(" (simplified)") : std::string();
    });
    EXPECT_TRUE(untranslated.empty()) << "untranslated in MultiLanguage/CHT:" << Listing(untranslated);
}

TEST_F(LanguagePacks, TheTraditionalTextsAreWordsNotCharacterForCharacter) {
    TTraditionalWords words;
    const std::vector<std::string> wrong = Untranslated("950", [&](const std::string& text) {
        const std::string why = words.Check(text);
        return why.empty() ? why : " (" + why + ")";
    });
    EXPECT_TRUE(wrong.empty()) << "converted character for character, to be written in MultiLanguage/CHT:" << Listing(wrong);
    EXPECT_EQ(words.Check("複製單據(&Y)"), "");
    EXPECT_EQ(words.Check("復制單據(&Y)"), "the words: 複製單據(&Y)");
    EXPECT_EQ(words.Check("啟用 Excel"), "") << "a form outside BIG5 (啓) does not count";
}

TEST_F(LanguagePacks, TheCheckSeesWhatAMissingPackLeaves) {
    // Without the English pack of TdmRadical its keyed texts are listed with their defaults.
    install.SetCodePages("437", "936");
    std::filesystem::remove(install.ClientPath() + "MultiLanguage/ENG/TdmRadical.Lng");
    const std::vector<std::string> untranslated = Untranslated("437", Chinese);
    EXPECT_NE(std::find(untranslated.begin(), untranslated.end(), "TdmRadical.sCreator: 录入者 (no entry)"), untranslated.end())
        << Listing(untranslated);
    EXPECT_TRUE(HasChineseText("保存"));
    EXPECT_TRUE(HasChineseText("Save（F4）"));
    EXPECT_FALSE(HasChineseText("Save (F4) €"));
}
