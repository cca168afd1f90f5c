// The language packs against the windows they translate: every text of every window and data module
// of PackWindows(), and every declared keyed text, seen as the user of an English (437) or traditional
// Chinese (950) interface sees it after the program's start-up. The failure lists what a pack leaves
// untranslated. This program's name carries the program id, so the program window starts on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "i18n/LangKeys.h"
#include "i18n/LangMessage.h"
#include "i18n/Translator.h"
#include "programs/tdef05/Tdef05Form.h"
#include "tests/i18n_packs/PackWindows.h"
#include "tests/i18n_packs/VisibleTexts.h"
#include "tests/testkit/ScriptedApp.h"
#include "tests/testkit/TestInstallation.h"

namespace {

using TUntranslated = std::function<bool(const std::string& text)>;

std::string Listing(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "\n  " + line;
    return text;
}

class LanguagePacks : public ::testing::Test {
protected:
    // What the packs leave untranslated under the interface code page, one line each.
    std::vector<std::string> Untranslated(const std::string& codePage, const TUntranslated& untranslated) {
        install.SetCodePages(codePage, "936");
        std::vector<std::string> found;
        TComponentRef<TfrmTdef05> program(CreateComponent<TfrmTdef05>(nullptr));
        EXPECT_FALSE(program->StartFailed) << ::testing::PrintToString(app.ShownTexts());
        for (const TPackWindow& window : PackWindows()) {
            TComponent* instance = window.Reach(*program.Get());
            if (!instance) {
                found.push_back(window.ClassName + ": not reached");
                continue;
            }
            for (const auto& [path, text] : VisibleTexts(*instance)) {
                const bool data = std::find(window.DataTexts.begin(), window.DataTexts.end(), path) != window.DataTexts.end();
                if (!data && untranslated(text)) found.push_back(window.ClassName + "." + path + ": " + text);
            }
        }
        program->Free();
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
