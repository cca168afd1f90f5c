#pragma once
// The character-set converter of a window ("RkConverter"): texts between the program's own simplified
// Chinese (code page 936), the interface's script (936, 950 traditional, 437 English) and the
// database's (936 or 950), the conversion of whole windows when they are created, fonts for the
// interface, and the framework's message boxes.
//
// State comes from the client configuration (DesignType dtClient) or the server's (dtServer) when the
// converter is created or its design type changes:
//   language mode      2 interface 950; 4 interface 936 on a 950 system; else 0
//   database mode      2 interface 950 over database 936; 1 interface 936 over database 950; else 0
// The translator library is loaded when either mode is not 0 ("Load Library %s Error!" when it is
// missing). Conversion type 1 is traditional -> simplified (BIG5toGB), 2 simplified -> traditional
// (GBtoBIG5), any other converts nothing; without a translator, or for empty and null values, texts
// stay as they are.
//
//   ToStorageText    interface -> database      type: database mode 1 -> 2, 2 -> 1
//   FromStorageText  database  -> interface     type: the database mode
//   ToProgramText    interface -> program       type: language mode 1 -> 2, 2 -> 1
//   ToDisplayText    program   -> interface     type: the language mode (4 converts nothing)
// Each takes a text, or a variant holding a string or an array of one or two dimensions (nested arrays
// followed) whose strings are converted. ToStorageText and ToProgramText give the text back unchanged
// when the library fails; the others let its error through.
#include <memory>
#include <string>

#include "i18n/DesignType.h"
#include "i18n/Translator.h"
#include "toolkit/classes/Component.h"
#include "toolkit/rtl/Strings.h"
#include "toolkit/rtl/Variant.h"
#include "toolkit/ui/kernel/AppServices.h"

class TCustomForm;
class TFont;

inline constexpr int kToSimplified = 1;   // BIG5toGB
inline constexpr int kToTraditional = 2;  // GBtoBIG5

class TCodeConverter : public TComponent {
    TK_CLASS_PUBLISHED(TCodeConverter, TComponent)
public:
    explicit TCodeConverter(TComponent* owner, TDesignType designType = dtClient);
    ~TCodeConverter() override;

    TDesignType DesignType() const { return designType_; }
    void SetDesignType(TDesignType value);

    // "936", "950", or "437" for any other system code page; the configured interface and database
    // code pages; the modes above.
    const std::string& SysCodePage() const { return sysCodePage_; }
    const std::string& UICodePage() const { return uiCodePage_; }
    const std::string& DBCodePage() const { return dbCodePage_; }
    int LanguageMode() const { return languageMode_; }
    int DBConvertMode() const { return dbConvertMode_; }
    const TTranslator* Translator() const { return translator_.get(); }

    std::string ToStorageText(const std::string& text) const;
    std::string FromStorageText(const std::string& text) const;
    std::string ToProgramText(const std::string& text) const;
    std::string ToDisplayText(const std::string& text) const;
    // (Literal texts are texts, not variants.)
    std::string ToStorageText(const char* text) const { return ToStorageText(std::string(text)); }
    std::string FromStorageText(const char* text) const { return FromStorageText(std::string(text)); }
    std::string ToProgramText(const char* text) const { return ToProgramText(std::string(text)); }
    std::string ToDisplayText(const char* text) const { return ToDisplayText(std::string(text)); }
    Variant ToStorageText(const Variant& value) const;
    Variant FromStorageText(const Variant& value) const;
    Variant ToProgramText(const Variant& value) const;
    Variant ToDisplayText(const Variant& value) const;
    std::string ToGB(const std::string& text) const { return Convert(text, kToSimplified); }
    std::string ToBig5(const std::string& text) const { return Convert(text, kToTraditional); }
    // A text or variant converted with conversion type 1 or 2 (others: unchanged).
    std::string Convert(const std::string& text, int type) const;
    Variant Convert(const Variant& value, int type) const;
    std::string Convert(const char* text, int type) const { return Convert(std::string(text), type); }

    // Converts a window's texts for the language mode (see WindowConversion.cpp). With the marker
    // "DO" the exception list decides for the components it names.
    void ConvertForm(TCustomForm* window, const std::string& marker = std::string());
    // Fills the exception list from entries (each string one entry; each array of strings one entry,
    // its strings joined by the character 3: a component name, then the property groups to leave)
    // and converts the window with the list switched on.
    void ConvertFormWithList(TCustomForm* window, const Variant& entries);
    TStrings* ExceptionList() const { return exceptions_.get(); }

    // Modes 0, 1 and 4: "SimSun" with character set 134; modes 2 and 3: "SimSun" with 136.
    static void ApplyFont(int mode, TFont* font);
    // The screen's icon, hint and menu fonts for the language mode; the hint display restarted.
    void ApplyScreenFonts() const;

    // A message box over the owner window (restored when minimised, its caption as the box's, the
    // interface font); six blanks follow the text when the interface or the system code page is 936.
    // An empty text shows nothing and gives 0; otherwise the modal result.
    int ShowMessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) const;

    // Properties by name, as the window set-up uses them.
    static bool HasProperty(const TObject* instance, const std::string& name);
    static std::string GetStringProperty(const TObject* instance, const std::string& name);
    static void SetStringProperty(TObject* instance, const std::string& name, const std::string& value);
    static void SetOrdinalProperty(TObject* instance, const std::string& name, std::int64_t value);
    static TTypeKind PropertyKind(const TObject* instance, const std::string& name);

private:
    void ReadConfiguration();
    // ToStorageText and ToProgramText give their argument back when the library fails.
    std::string ConvertKeepingOnError(const std::string& text, int type) const;
    Variant ConvertKeepingOnError(const Variant& value, int type) const;

    TDesignType designType_ = dtClient;
    std::string sysCodePage_ = "936";
    std::string uiCodePage_ = "936";
    std::string dbCodePage_ = "936";
    int languageMode_ = 0;
    int dbConvertMode_ = 0;
    std::unique_ptr<TTranslator> translator_;
    std::unique_ptr<TStringList> exceptions_;
};

// Types of the conversions for a mode: the mode itself, and its reverse (1 <-> 2, others 0).
int ReverseConversion(int mode);
