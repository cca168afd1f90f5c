#pragma once
// The root of every program's data module (radical -> base -> single -> double -> the program's).
// It owns the connections to the application server and the lookup server, stamps the suite's
// system columns on every row written and finalizes their marks when saving, localizes field labels
// and texts, and offers the library of field handlers (time, day, month, date, year-month, percent,
// number formats, code entry) that program data modules attach to their fields by name.
#include <string>
#include <vector>

#include "framework/data/SimpleObjectBroker.h"
#include "server/DataModuleLink.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/SocketConnection.h"
#include "toolkit/ui/kernel/DataModule.h"

class TBrokers;
class TCodeConverter;
class TField;

class TdmRadical : public TDataModule, public IDataModuleLink {
    TK_CLASS_PUBLISHED(TdmRadical, TDataModule)
public:
    explicit TdmRadical(TComponent* owner);
    ~TdmRadical() override;

    // --- Components -------------------------------------------------------------------------------
    TSocketConnection MIDAS;                     // the application server ("Nexor01S.Class1")
    TSimpleObjectBroker* SOB = nullptr;          // kept for the resource; connections never use it
    TSocketConnection scLookUpData;              // the lookup server ("PickvuS.Class1")
    TClientDataSet* cdsSaveCondition = nullptr;  // saved query conditions, provider "pvdConSave"

    // --- Fields -----------------------------------------------------------------------------------
    TBrokers* Brokers = nullptr;         // the form's broker (given at LoadRights)
    bool ConnectOption = true;           // element 4 of Connect
    int DateOrder = 1;                   // SYS001
    std::string DateSeparator;           // SYS002 (its first character is used)
    std::string Today;                   // the server's date
    Variant AppServer;                   // the application server's dispatch interface
    TField* BarCodeTypeField = nullptr;  // "2": bar codes are looked up before item codes

    // COMPANY, CREATOR, USR_GROUP, CREATE_DATE, MODIFIER, MODI_DATE and FLAG, without regard to case.
    static bool IsSystemColumn(const std::string& name);

    // --- Virtual and dynamic operations, in slot order -------------------------------------------
    // Defaults of a new main record; programs set theirs here.
    virtual void InitNewRecord() {}
    // Fills the system columns of the row about to be posted and marks it with a negative FLAG, so
    // that a second post of the same row does not stamp it again.
    virtual void StampSystemColumns(TDataSet* dataSet);
    // A FLAG value as a number: 0 when empty or not a number; negative once stamped in this edit.
    static long long FlagMark(const Variant& value);
    virtual int AfterConnectHook() { return 0; }
    // Opens MIDAS at the configured server, connects the program and loads the broker's ProgramInfo;
    // then the lookup connection, AfterConnectHook and OpenProviderDataSets. True when the server
    // accepted the connection. Exceptions pass to the caller.
    bool OpenDataConnection() override;
    virtual bool OpenLookupConnection();
    // Finalizes the FLAG marks (nested details too), posts and applies the changes with no error
    // tolerated; true when the server refused nothing. Exceptions are logged and raised again.
    virtual bool ApplyDataSet(TClientDataSet* dataSet);
    // Opens every closed client dataset of the module that names a provider.
    virtual void OpenProviderDataSets();

    // --- Checks and helpers -----------------------------------------------------------------------
    // Whether the field's text is a code of the table (validator lookup of the kind). Not found:
    // severity "E" shows E/000001 and abandons; "W" shows W/000004 and abandons unless answered OK
    // (then false); other severities give false silently. An empty field passes.
    bool CheckExists(TField* field, const std::string& table, const std::string& severity, Variant& values,
                     const Variant& keys = Variant(), const std::string& kind = "01");
    // CheckExists, then (in edit or insert, check passed) copies the found values into the
    // comma-separated target fields in order, or clears them for an empty field.
    void CheckAndFill(TField* field, const std::string& table, const std::string& severity, const Variant& keys,
                      const std::string& targetFields, const std::string& kind = "01");
    // In edit or insert, for a non-empty field: refuses a code that exists already (E/000002 or
    // W/000005 as for CheckExists). Keys are the texts of the comma-separated key fields (default the
    // field itself). True when not found.
    bool CheckNotExists(TField* field, const std::string& table, const std::string& severity, const std::string& keyFields = "",
                        const std::string& kind = "01");
    // Null string fields get "", null integer and float fields 0; validation is suspended meanwhile.
    void FillNulls(TDataSet* dataSet);
    // Shows or hides the system columns; shown ones are read-only.
    void ShowSystemColumns(TDataSet* dataSet, bool visible);
    // Display labels of the system columns from the language file of TdmRadical; date-time text on
    // CREATE_DATE and MODI_DATE.
    void LabelSystemColumns(TDataSet* dataSet);
    // Today := the server's WhatIs("TODAY"), or the local date "YYYYMMDD" when that fails.
    void LoadToday();
    // Field labels in the interface script; string and memo fields without handlers of their own
    // get DOGetText / DOSetText.
    void LocalizeFields() override;
    // The code converter of the window that owns the module ("RkConverter"), or the module's own,
    // made on first use, when no window owns it.
    TCodeConverter* Converter();
    // Writes text into a field as the framework does everywhere (see FieldText.h).
    void SetFieldText(TField* field, const std::string& text, bool asEditText);
    // Attaches the published handler of that name to the field by its kind: get text, set text,
    // validate, edit mask ("...EditMask") or edit format ("...EditFormat"). An unknown name or a
    // handler of another kind raises EInvalidOperation.
    void AttachFieldHandler(TField* field, const std::string& handlerName);

    // --- IDataModuleLink --------------------------------------------------------------------------
    void SetBrokers(TBrokers* brokers) override { Brokers = brokers; }
    void SetDateSettings(int dateOrder, const std::string& dateSeparator) override;
    Variant WhatIs(const std::string& name) override;
    void CloseConnections() override;

    // --- Published field handlers -----------------------------------------------------------------
    std::string TimeFieldEditMask();
    void TimeFieldGetText(TField* Sender, std::string& Text, bool DisplayText);
    void TimeFieldSetText(TField* Sender, const std::string& Text);
    void TimeFieldValidate(TField* Sender);
    std::string DayFieldEditMask();
    std::string MonthFieldEditMask();
    void DayFieldSetText(TField* Sender, const std::string& Text);
    void MonthFieldSetText(TField* Sender, const std::string& Text);
    void DayFieldValidate(TField* Sender);
    void MonthFieldValidate(TField* Sender);
    std::string DateFieldEditMask();
    void DateFieldGetText(TField* Sender, std::string& Text, bool DisplayText);
    void DateFieldSetText(TField* Sender, const std::string& Text);
    void DateFieldValidate(TField* Sender);
    void DateTimeFieldGetText(TField* Sender, std::string& Text, bool DisplayText);
    std::string MDFieldEditMask();
    void MDFieldGetText(TField* Sender, std::string& Text, bool DisplayText);
    void MDFieldSetText(TField* Sender, const std::string& Text);
    void MDFieldValidate(TField* Sender);
    std::string YMFieldEditMask();
    void YMFieldGetText(TField* Sender, std::string& Text, bool DisplayText);
    void YMFieldSetText(TField* Sender, const std::string& Text);
    void YMFieldValidate(TField* Sender);
    std::string YearFieldEditMask();
    void YearFieldGetText(TField* Sender, std::string& Text, bool DisplayText);
    void YearFieldSetText(TField* Sender, const std::string& Text);
    std::string SecondFieldEditMask();
    void SecondFldGetText(TField* Sender, std::string& Text, bool DisplayText);
    void SecondFldSetText(TField* Sender, const std::string& Text);
    std::string PercentFieldEditMask();
    void PercentFieldGetText(TField* Sender, std::string& Text, bool DisplayText);
    void PercentFieldSetText(TField* Sender, const std::string& Text);
    std::string NumberFieldDisplayFormat(int digits);
    std::string NumberFieldEditFormat();
    void CustomerFieldSetText(TField* Sender, const std::string& Text);
    void ProviderFieldSetText(TField* Sender, const std::string& Text, const std::string& kind);
    void CostFieldSetText(TField* Sender, const std::string& Text, const Variant& keys, const std::string& kind = "",
                          const std::string& table = "");
    void BarCodeFieldSetText(TField* Sender, const std::string& Text, const Variant& keys, const std::string& kind = "",
                             const std::string& table = "");
    void DOGetText(TField* Sender, std::string& Text, bool DisplayText);
    void DOSetText(TField* Sender, const std::string& Text);
    void DataModuleCreate(TObject* Sender);
    void DataModuleDestroy(TObject* Sender);

protected:
    // Shows the coded error message and abandons the current operation.
    [[noreturn]] void RefuseEntry(const std::string& code, const std::vector<Variant>& args = {});
    // The first character of DateSeparator ("" when none).
    std::string Separator() const;

private:
    // Code entry through a system setting: the typed text, or the first value the lookup finds.
    void LookupCodeEntry(TField* field, const std::string& text, const std::string& table, const std::string& kind,
                         const Variant& keys);
    void FinalizeMarks(TDataSet* dataSet, bool nested);

    TCodeConverter* ownConverter_ = nullptr;
};

using TRadicalDataModuleClass = TClassOf<TdmRadical>;
