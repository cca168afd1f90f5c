#pragma once
// The language controller: loads one language document (a file, or XML text given directly) and
// applies it to component trees through its reader. TRkLangController, the one on every framework
// window ("LangController"), names its file by class: LangPackageName "TfrmSingle" loads
// <language folder>TfrmSingle.Lng.
//
// Active := true raises BeforeOpen, drops the previous document, parses the XML text when there is
// some, else loads the file, creates the reader and raises AfterOpen; an empty file name without XML
// text raises "Cannot Find File %s!", a document that does not parse raises the parser's reason
// (both LanguageControllerError). Active := false raises BeforeClose, drops document and reader,
// raises AfterClose. Active reads true while a document element is loaded; a value set while the
// component is loading takes effect in Loaded().
#include <memory>
#include <string>

#include "i18n/DesignType.h"
#include "i18n/LangReader.h"
#include "toolkit/classes/Component.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/Strings.h"
#include "toolkit/xml/Xml.h"

TK_DECLARE_EXCEPTION(LanguageControllerError, Exception)

class TLanguageController : public TComponent {
    TK_CLASS_PUBLISHED(TLanguageController, TComponent)
public:
    explicit TLanguageController(TComponent* owner);
    ~TLanguageController() override;

    bool Active() const;
    void SetActive(bool value);
    // Applies a value of Active set while the component was loading.
    void Loaded();

    // Names of components not to translate (compared trimmed and without case). Setting copies the
    // list (nullptr clears it); the active reader follows.
    TStrings* ExcludeControls() const { return exclude_.get(); }
    void SetExcludeControls(const TStrings* names);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName);
    // XML text loaded instead of the file when not empty; changing it clears the file name and
    // deactivates the controller.
    TStrings* XmlText() const { return xml_.get(); }

    // The reader of the active document; "No active LanguageController!" without one.
    TLangReader& Reader();
    const TXmlDocument* Document() const { return document_.get(); }

    TNotifyEvent BeforeOpen;
    TNotifyEvent AfterOpen;
    TNotifyEvent BeforeClose;
    TNotifyEvent AfterClose;
    TLoadComponentEvent BeforeLoadComponent;
    TLoadComponentEvent AfterLoadComponent;

private:
    void Open();
    void Close();
    std::vector<std::string> ExcludedNames() const;

    std::string fileName_;
    std::unique_ptr<TStringList> xml_;
    std::unique_ptr<TStringList> exclude_;
    std::unique_ptr<TXmlDocument> document_;
    std::unique_ptr<TLangReader> reader_;
    bool streamedActive_ = false;
};

class TRkLangController : public TLanguageController {
    TK_CLASS_PUBLISHED(TRkLangController, TLanguageController)
public:
    explicit TRkLangController(TComponent* owner) : TLanguageController(owner) {}

    // A new name points the controller at LanguageFolder(DesignType) + name + ".Lng", clears the XML
    // text and deactivates it.
    const std::string& LangPackageName() const { return packageName_; }
    void SetLangPackageName(const std::string& name);
    TDesignType DesignType() const { return designType_; }
    void SetDesignType(TDesignType value) { designType_ = value; }

private:
    std::string packageName_;
    TDesignType designType_ = dtClient;
};
