#include "i18n/CodeConverter.h"

#include "env/VandrilIni.h"
#include "env/VariantElements.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/graphics/Font.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/Screen.h"

void TCodeConverter::Publish(TPublisher<TCodeConverter>& p) {
    p.Property("DesignType", &TCodeConverter::DesignType, &TCodeConverter::SetDesignType);
}

TCodeConverter::TCodeConverter(TComponent* owner, TDesignType designType)
    : TComponent(owner), designType_(designType), exceptions_(std::make_unique<TStringList>()) {
    ReadConfiguration();
}

TCodeConverter::~TCodeConverter() = default;

void TCodeConverter::SetDesignType(TDesignType value) {
    if (value == designType_) return;
    designType_ = value;
    ReadConfiguration();
}

void TCodeConverter::ReadConfiguration() {
    // The readers compute the modes from their defaults even without a configuration.
    std::unique_ptr<TVandrilIni> ini;
    if (designType_ == dtServer)
        ini = std::make_unique<TVandrilIniS>();
    else
        ini = std::make_unique<TVandrilIniC>();
    sysCodePage_ = ini->SysCodePage;
    uiCodePage_ = ini->UICodePage;
    dbCodePage_ = ini->DBCodePage;
    languageMode_ = ini->LanguageMode;
    dbConvertMode_ = ini->DBConvertMode;
    // The database mode needs the library as much as the language mode: without it a simplified
    // interface over a traditional database would store simplified texts there.
    translator_.reset();
    if (languageMode_ != 0 || dbConvertMode_ != 0) translator_ = std::make_unique<TTranslator>();
}

int ReverseConversion(int mode) {
    if (mode == kToSimplified) return kToTraditional;
    if (mode == kToTraditional) return kToSimplified;
    return 0;
}

std::string TCodeConverter::Convert(const std::string& text, int type) const {
    if (!translator_ || text.empty()) return text;
    if (type == kToSimplified) return translator_->BIG5toGB(text);
    if (type == kToTraditional) return translator_->GBtoBIG5(text);
    return text;
}

Variant TCodeConverter::Convert(const Variant& value, int type) const {
    if (!translator_ || (type != kToSimplified && type != kToTraditional)) return value.Deref();
    Variant result = value.Deref();
    ForEachVariantElement(result, [&](Variant& element) {
        if (element.IsString()) element = Convert(element.AsString(), type);
    });
    return result;
}

std::string TCodeConverter::ConvertKeepingOnError(const std::string& text, int type) const {
    try {
        return Convert(text, type);
    } catch (const std::exception&) {
        return text;
    }
}

std::string TCodeConverter::ToStorageText(const std::string& text) const {
    return ConvertKeepingOnError(text, ReverseConversion(dbConvertMode_));
}

std::string TCodeConverter::FromStorageText(const std::string& text) const { return Convert(text, dbConvertMode_); }

std::string TCodeConverter::ToProgramText(const std::string& text) const {
    return ConvertKeepingOnError(text, ReverseConversion(languageMode_));
}

std::string TCodeConverter::ToDisplayText(const std::string& text) const { return Convert(text, languageMode_); }

Variant TCodeConverter::ConvertKeepingOnError(const Variant& value, int type) const {
    try {
        return Convert(value, type);
    } catch (const std::exception&) {
        return value.Deref();
    }
}

Variant TCodeConverter::ToStorageText(const Variant& value) const {
    return ConvertKeepingOnError(value, ReverseConversion(dbConvertMode_));
}

Variant TCodeConverter::FromStorageText(const Variant& value) const { return Convert(value, dbConvertMode_); }

Variant TCodeConverter::ToProgramText(const Variant& value) const {
    return ConvertKeepingOnError(value, ReverseConversion(languageMode_));
}

Variant TCodeConverter::ToDisplayText(const Variant& value) const { return Convert(value, languageMode_); }

void TCodeConverter::ApplyFont(int mode, TFont* font) {
    if (!font) return;
    TFontCharset charset;
    if (mode == 0 || mode == 1 || mode == 4)
        charset = GB2312_CHARSET;
    else if (mode == 2 || mode == 3)
        charset = CHINESEBIG5_CHARSET;
    else
        return;
    if (font->Name() == "SimSun" && font->Charset() == charset) return;
    // One change for both: every change passes down to the controls that follow their parent's font.
    TNotifyEvent onChange = std::move(font->OnChange);
    font->OnChange = nullptr;
    font->SetName("SimSun");
    font->SetCharset(charset);
    font->OnChange = std::move(onChange);
    if (font->OnChange) font->OnChange(font);
}

void TCodeConverter::ApplyScreenFonts() const {
    ApplyFont(languageMode_, Screen->IconFont());
    ApplyFont(languageMode_, Screen->HintFont());
    ApplyFont(languageMode_, Screen->MenuFont());
    Application->SetShowHint(false);
    Application->SetShowHint(true);
}

int TCodeConverter::ShowMessageBox(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) const {
    if (text.empty()) return 0;
    TMessageDlgRequest request;
    request.Text = text;
    if (uiCodePage_ == "936" || sysCodePage_ == "936") request.Text += "      ";
    if (auto* window = dynamic_cast<TCustomForm*>(Owner())) {
        if (window->WindowState() == wsMinimized) window->SetWindowState(wsNormal);
        request.Caption = window->Caption();
    }
    request.DlgType = type;
    request.Buttons = buttons;
    TFont font;
    ApplyFont(languageMode_, &font);
    request.FontName = font.Name();
    request.FontCharset = font.Charset();
    return MessageDlg(request);
}

bool TCodeConverter::HasProperty(const TObject* instance, const std::string& name) {
    return instance && IsPublishedProp(instance, name);
}

std::string TCodeConverter::GetStringProperty(const TObject* instance, const std::string& name) {
    return GetStrProp(instance, name);
}

void TCodeConverter::SetStringProperty(TObject* instance, const std::string& name, const std::string& value) {
    SetStrProp(instance, name, value);
}

void TCodeConverter::SetOrdinalProperty(TObject* instance, const std::string& name, std::int64_t value) {
    SetOrdProp(instance, name, value);
}

TTypeKind TCodeConverter::PropertyKind(const TObject* instance, const std::string& name) { return PropType(instance, name); }
