#pragma once
// The root of the program-form chain (radical -> base -> single -> double -> the program's form).
// It owns the broker, knows whether it runs inside the work center, turns the host's start
// parameters into a connected, localized window with the user's rights (StartProgram), and
// provides the function keys, context help and lookup plumbing every program shares.
#include <cstdint>
#include <string>

#include "framework/data/RecordEventsOwner.h"
#include "framework/forms/FunctionRights.h"
#include "framework/forms/RKForm.h"
#include "server/BrokerOwner.h"
#include "toolkit/ui/kernel/DataModule.h"

class TBrokers;
class TField;
class TInteraParam;
class IDataModuleLink;

// The function keys as window messages, carrying the control's window handle in WParam.
constexpr UINT UM_F2KEY = 0x40A;  // also resets the lookup-parameter mode
constexpr UINT UM_F3KEY = 0x40B;
constexpr UINT UM_F4KEY = 0x40C;
constexpr UINT UM_F11KEY = 0x40D;

// Lookup-parameter modes of the lookup-combo exchange.
enum TLookupParamMode : std::uint8_t {
    lpmNormal = 0,
    lpmCollectParam = 1,
    lpmReturnResult = 2
};

// The stand-alone start's development login.
inline constexpr const char* kStandAloneUser = "DS";
inline constexpr const char* kStandAloneCompany = "DEMO";
inline constexpr const char* kStandAloneDatabase = "DEMO";

class TfrmRadical : public TRKForm, public IBrokerOwner, public IRecordEventsOwner {
    TK_CLASS_PUBLISHED(TfrmRadical, TRKForm)
public:
    explicit TfrmRadical(TComponent* owner);

    TBrokers* Brokers = nullptr;
    TFunctionRights FunctionRights = InitialFunctionRights();
    TCommandRights CommandRights = InitialCommandRights();
    std::string StartParamText;
    Variant StartParamValue;
    std::uint8_t RunMode = 0;
    Variant RunModeParam;
    Variant ReturnValue;         // handed to the host when the form is destroyed
    int ResultCode = 0;          // likewise
    std::string VersionText;     // the program's version, for the host
    int DateOrder = 1;           // SYS001
    std::string DateSeparator;   // SYS002
    std::string GroupList;       // GROUP_LIST of the program information
    std::string ExPower;         // EX_POWER
    int SqlType = 0;             // the application server's WhatIs("SQLTYPE")
    Variant ExtraStartValue;     // start parameter 4 (an empty array in the stand-alone start)
    HWND HostWindow = 0;         // start parameter 3
    std::string PrintProgramId;  // the broker's, trimmed, when set
    std::string DatabaseName;    // the broker's
    std::string ProfileFolder;   // client configuration
    std::string ConfigFileName;
    std::string SendImageOption;  // CreateGifBeforeSendQW
    std::string LibraryPath;      // the plug-in library, or the executable in the stand-alone start
    std::uint8_t LookupParamMode = lpmNormal;
    Variant LookupParam;
    Variant LookupResult;
    bool StartFailed = false;
    TDataModule* DataModule = nullptr;  // created by the program form from DataModuleClass

    // Inside the work center: a library path that is not the running executable; before the path is
    // known, an executable named like the work center. Otherwise remembers the executable as the path.
    bool IsHosted();
    // The program id of LibraryPath ("" when none).
    std::string ProgramId() const;

    // Operations descendants override, in slot order after ApplyLanguage and ApplyLanguageOwn.
    virtual void OnF2Key(WORD& key, TWinControl* control);
    virtual void OnF3Key(WORD& key, TWinControl* control);
    virtual void OnF4Key(WORD& key, TWinControl* control);
    virtual void OnF11Key(WORD& key, TWinControl* control);
    virtual void AfterFormShow() {}
    virtual void ProgramHook63() {}
    virtual void ApplyFieldRestrictions() {}
    virtual void LoadRights();
    virtual void ResetForm();
    virtual int OpenProgram(const std::string& programId, const Variant& param);
    virtual std::string ProgramNameOf(const std::string& programId);
    virtual void LoadRequiredFields() {}
    virtual void ProgramHook70() {}
    // Start parameters [user, company, database, host window, extra...]; exceptions pass to the caller.
    virtual bool StartProgram(const Variant& params);
    virtual void UpdateCommandStates() {}
    virtual TDataModuleClass DataModuleClass() const;
    // Record events of the data module's header dataset; the base form checks and refreshes here.
    bool ValidateBeforePost(TDataSet* /*dataSet*/) override { return true; }
    void RecordChanged(TDataSet* /*dataSet*/) override {}
    int RecordEditMode() const override { return 0; }

    // Read-only views published for hosts and scripts.
    const std::string& LibraryPathText() const { return LibraryPath; }
    int RunModeValue() const { return RunMode; }
    int CommandRightsValue() const { return static_cast<int>(CommandRights.Bits()); }
    std::int64_t FunctionRightsValue() const { return static_cast<std::int64_t>(FunctionRights.Bits()); }
    const std::string& StartParamTextValue() const { return StartParamText; }
    bool StartFailedValue() const { return StartFailed; }

    // Rights from the server's POWER_DATA (with GROUP_LIST and EX_POWER of the program information);
    // an empty POWER_DATA is reported with E/000004.
    void ParseFunctionRights();
    // F1: asks the host for the help of the focused control.
    void ContextHelp();

    // The F2 lookup for a field: searches with the focused edit's text (or the field's), and writes
    // the chosen rows' values into the comma-separated target fields (default: the field itself) of
    // the field's dataset, a new record for each further row.
    void F2Lookup(TField* field, const std::string& targetFields, bool firstOption, bool secondOption, const Variant& keys,
                  const std::string& table, const std::string& kind);
    // The common-phrase window for a field: a phrase chosen becomes the field's value.
    void PhraseLookup(TField* field);

    // Published handlers.
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FormKeyPress(TObject* Sender, char32_t& Key);
    void FormResize(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormPaint(TObject* Sender);
    // The lookup combo's exchange: the combo asks for the lookup parameter its F2 would use, and
    // later hands back the rows the user picked, which fill the fields as F2 does.
    void GetBaseClassParam(TObject* Sender, TInteraParam& Param);
    void SetReturn(TObject* Sender, TInteraParam* Obj);

    // IBrokerOwner.
    HWND OwnerWindowHandle() override { return Handle(); }
    std::string OwnerCaption() const override { return Caption(); }
    int LanguageMode() const override { return TRKForm::LanguageMode(); }
    std::string UICodePage() const override { return TRKForm::UICodePage(); }
    std::string SysCodePage() const override { return TRKForm::SysCodePage(); }
    // The broker's texts go through the "Language" tables (simplified -> traditional in mode 2).
    std::string ToUserScript(const std::string& text) override;
    bool HasFunctionRight(int element) const override { return FunctionRights.Contains(element); }
    int LookupExchangeMode() const override { return LookupParamMode; }
    void StoreLookupParam(const Variant& param) override { LookupParam = param; }
    Variant StoredLookupResult() const override { return LookupResult; }

protected:
    // The data module as the form uses it at start-up and close; nullptr without one.
    IDataModuleLink* DataModuleLink() const;

private:
    void StandAloneStart();
    void FunctionKeyMessage(TMessage& message, WORD key);
    void GiveFocusBack(TWinControl* control);
    // Runs the F2 handler for a control in a lookup-exchange mode, back to normal afterwards.
    void RunF2InMode(TObject* Sender, std::uint8_t mode);
};

using TRadicalFormClass = TClassOf<TfrmRadical>;
