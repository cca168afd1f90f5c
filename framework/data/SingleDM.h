#pragma once
// The data module of a one-table maintenance program (and the base of the master-detail one): saving
// with the report of refused rows, values kept from one added record to the next, the automatic key
// number, default values handed in from outside, the MultiSelected column of the browse grid,
// sorting by a clicked column, row colours, user-defined fields filled from the server, the data
// rights of a second nested detail, and the slots of the spreadsheet exports.
#include <string>
#include <vector>

#include "framework/data/BaseDM.h"
#include "framework/data/UDFRules.h"

class ISingleFormLink;

class TdmSingle : public TdmBase {
    TK_CLASS_PUBLISHED(TdmSingle, TdmBase)
public:
    explicit TdmSingle(TComponent* owner);
    ~TdmSingle() override;

    // --- State ------------------------------------------------------------------------------------
    bool AutoNumber = false;               // the last key field is numbered by the program
    std::string AutoNumberField;           // that field (the last item of KeyFields)
    TStringList KeptValues;                // FIELD=text of the fields carried to the next new record
    TField* SortField = nullptr;           // the field of the current click sort
    TField* MultiSelectedField = nullptr;  // the MultiSelected column once created
    int KeyFieldCount = 0;
    Variant DefaultValues;               // [2][n]: (field name, value) pairs, or empty
    std::string DefaultIndexFieldNames;  // the order to return to when the click sort is cleared
    bool ShowMultiSelected = false;
    bool SuppressRowColors = false;
    TField* DateField =
        nullptr;  // the document date (numbers and closing dates follow it)       // the form paints no colours after scrolls meanwhile
    std::vector<std::string> KeyValues = std::vector<std::string>(10);  // RememberKeyValues

    // --- Virtual operations, in slot order --------------------------------------------------------
    virtual void SetAutoNumber(bool flag);
    virtual void ApplyDefaultValues();
    virtual std::string GetAutoNumberField() const { return AutoNumberField; }
    // Spreadsheet exports (built by the export feature; false here: nothing was written).
    virtual bool ExportToXlsFile(TDataSet* dataSet, TObject* caller) { return false; }
    // Before an added record is saved (the master-detail module numbers its lines here).
    virtual void BeforeInsertSave() {}
    virtual bool ExportToExcel(TDataSet* dataSet, TObject* caller, bool useDigitGroups) { return false; }
    virtual bool ExportTextToExcel(TDataSet* dataSet, TObject* caller) { return false; }
    // Fetches every remaining packet, then goes to the first row.
    virtual void FetchAll(TDataSet* dataSet);
    // The decimals of the first digit group (0..10) whose field list holds the name; def when none.
    virtual int DigitGroupOf(const std::string& fieldName, int def);
    // The display part of a custom-edit combo's item holding value (control type "F;CustomEdit;cbo").
    virtual void ComboDisplayText(TDataSet* dataSet, TObject* caller, std::string& text, const std::string& value,
                                  const std::string& fieldName);
    virtual void ApplyHomeCurrencyFormats();

    // Overrides.
    void SetKeyFields(const std::string& keys) override;
    bool VerifyDataRights() override;
    // The save of cdsMain (stamps, post, apply with no error tolerated); true when nothing was refused.
    virtual bool Save();

    // --- Other operations -------------------------------------------------------------------------
    void RememberKeptValues();
    void RestoreKeptValues();
    void ClearKeptValues();
    // How the fields of a dataset are edited: lines "FIELD;CustomEdit;control" or
    // "FIELD;CheckBox;checked;unchecked" (programs declare them; grids and exports read them).
    TStrings& ControlType(TDataSet* dataSet);
    const TStrings* ControlTypeOf(const TDataSet* dataSet) const;
    // Names a field whose value carries over to the next added record.
    void KeepValueOf(const std::string& fieldName);
    void RememberKeyValues();
    // Only in browse state: MainTable.FIELD = value terms of the key fields joined with " and ".
    bool KeyCondition(std::string& text);
    // Click sort: a new field ascending, the same again descending, then ascending; no field clears.
    void SortByField(const std::string& fieldName);
    bool IsAscending(TDataSet* dataSet) const;
    void SetMultiSelectedVisible(bool flag);
    // Fills the user-defined columns of the dataset's current record from their rules.
    void LoadUDFValues(TDataSet* dataSet, const TUDFRules& definitions);
    void ApplyRowColors();

    // --- Published handlers -----------------------------------------------------------------------
    void DataModuleCreate(TObject* Sender);
    void DataModuleDestroy(TObject* Sender);
    void cdsMainReconcileError(TClientDataSet* DataSet, EReconcileError& E, TUpdateKind UpdateKind, TReconcileAction& Action);
    void cdsMainBeforeOpen(TDataSet* DataSet);
    void cdsMainAfterOpen(TDataSet* DataSet);
    void cdsMainAfterScroll(TDataSet* DataSet);
    void cdsMainCalcFields(TDataSet* DataSet);

protected:
    void NewRecordStep(TDataSet* dataSet) override;
    // One click on a title of the dataset: a new field ascending, the same again descending, then
    // ascending; no field returns to the default order. False when nothing changed.
    bool ClickSort(TClientDataSet* dataSet, const std::string& fieldName, TField*& sortField, const std::string& defaultOrder);
    // What the user is told of a row the server refused: the record and the reason.
    std::string RefusalText(const TDataSet* dataSet, const EReconcileError& error) const;
    ISingleFormLink* FormLink() const;
    // The comma-separated key fields without table qualifiers.
    std::vector<std::string> KeyFieldNames() const;

private:
    std::map<const TDataSet*, TStringList> controlTypes_;
    void CreateMultiSelectedField();
    void ReshowCurrentRow(int countBefore);
};

using TSingleDataModuleClass = TClassOf<TdmSingle>;
