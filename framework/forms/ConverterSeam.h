#pragma once
// The window's code converter as far as this layer needs it: the language mode and the code pages of
// the client configuration. Converting texts between scripts arrives with the converter itself;
// until then texts pass unchanged, which is exact for the simplified-Chinese interface (mode 0).
#include <string>

#include "toolkit/classes/Component.h"

class TRkConverterSeam : public TComponent {
    TK_CLASS(TRkConverterSeam, TComponent)
public:
    // Reads the client configuration (language mode, interface, database and system code pages).
    explicit TRkConverterSeam(TComponent* owner);

    int LanguageMode() const { return languageMode_; }
    const std::string& UICodePage() const { return uiCodePage_; }
    const std::string& DBCodePage() const { return dbCodePage_; }
    const std::string& SysCodePage() const { return sysCodePage_; }

    // A built-in simplified text in the user's script.
    std::string ToUserScript(const std::string& text) const { return text; }
    // A text in the user's script back to the built-in simplified one.
    std::string FromUserScript(const std::string& text) const { return text; }
    // The code conversion of a window and what it owns (run once per window).
    void ConvertComponent(TComponent& component) {}
    // The window's texts in the user's script for the language mode.
    void LocalizeTexts(TComponent& component) {}
    // Screen fonts (icons, hints, menus) for the language mode.
    void ApplyScreenFonts() {}

private:
    int languageMode_ = 0;
    std::string uiCodePage_ = "936";
    std::string dbCodePage_ = "936";
    std::string sysCodePage_ = "936";
};
