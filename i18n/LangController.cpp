#include "i18n/LangController.h"

#include "i18n/LanguageFolder.h"
#include "toolkit/rtl/Format.h"

void TLanguageController::Publish(TPublisher<TLanguageController>& p) {
    p.Property("Active", &TLanguageController::Active, &TLanguageController::SetActive);
    p.Property("AfterClose", &TLanguageController::AfterClose);
    p.Property("AfterLoadComponent", &TLanguageController::AfterLoadComponent);
    p.Property("AfterOpen", &TLanguageController::AfterOpen);
    p.Property("BeforeClose", &TLanguageController::BeforeClose);
    p.Property("BeforeLoadComponent", &TLanguageController::BeforeLoadComponent);
    p.Property("BeforeOpen", &TLanguageController::BeforeOpen);
    p.Property("ExcludeControls", &TLanguageController::ExcludeControls);
}

void TRkLangController::Publish(TPublisher<TRkLangController>& p) {
    p.Property("DesignType", &TRkLangController::DesignType, &TRkLangController::SetDesignType);
    p.Property("LangPackageName", &TRkLangController::LangPackageName, &TRkLangController::SetLangPackageName);
}

TLanguageController::TLanguageController(TComponent* owner)
    : TComponent(owner), xml_(std::make_unique<TStringList>()), exclude_(std::make_unique<TStringList>()) {
    xml_->OnChange = [this] {
        fileName_.clear();
        SetActive(false);
    };
    // Edited in place (ExcludeControls()->Add), the list reaches the active reader too.
    exclude_->OnChange = [this] {
        if (reader_) reader_->SetExcludeControls(ExcludedNames());
    };
}

TLanguageController::~TLanguageController() = default;

bool TLanguageController::Active() const { return document_ && !document_->DocumentElement().IsNull(); }

void TLanguageController::SetActive(bool value) {
    if (ComponentState().Contains(csLoading)) {
        streamedActive_ = value;
        return;
    }
    if (value)
        Open();
    else
        Close();
}

void TLanguageController::Loaded() {
    if (streamedActive_) SetActive(true);
    streamedActive_ = false;
}

std::vector<std::string> TLanguageController::ExcludedNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < exclude_->Count(); ++i) names.push_back(exclude_->Strings(i));
    return names;
}

void TLanguageController::SetExcludeControls(const TStrings* names) {
    if (names)
        exclude_->Assign(*names);
    else
        exclude_->Clear();
}

void TLanguageController::SetFileName(const std::string& fileName) {
    if (fileName == fileName_) return;
    SetActive(false);
    fileName_ = fileName;
}

void TLanguageController::Open() {
    if (BeforeOpen) BeforeOpen(this);
    reader_.reset();
    document_.reset();
    auto document = std::make_unique<TXmlDocument>();
    const std::string text = xml_->Text();
    if (text.empty() && fileName_.empty()) throw LanguageControllerError(Format("Cannot Find File %s!", {fileName_}));
    const bool loaded = text.empty() ? document->LoadFromFile(fileName_) : document->LoadXml(text);
    if (!loaded || document->ParseError().errorCode != 0) {
        const std::string reason = document->ParseError().reason;
        throw LanguageControllerError(reason.empty() ? Format("Cannot Find File %s!", {fileName_}) : reason);
    }
    document_ = std::move(document);
    reader_ = std::make_unique<TLangReader>(*document_, ExcludedNames(), BeforeLoadComponent, AfterLoadComponent, this);
    if (AfterOpen) AfterOpen(this);
}

void TLanguageController::Close() {
    if (!document_ && !reader_) return;  // nothing open
    if (BeforeClose) BeforeClose(this);
    reader_.reset();
    document_.reset();
    if (AfterClose) AfterClose(this);
}

TLangReader& TLanguageController::Reader() {
    if (!reader_ || !Active()) throw LanguageControllerError("No active LanguageController!");
    return *reader_;
}

void TRkLangController::SetLangPackageName(const std::string& name) {
    if (name == packageName_) return;
    packageName_ = name;
    XmlText()->Clear();  // (clears the file name too)
    SetActive(false);
    SetFileName(LanguageFileName(DesignType(), name));
}
