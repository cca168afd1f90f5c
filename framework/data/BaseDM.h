#pragma once
// The second level of the data-module chain: the program's header dataset cdsMain and its colour
// twin, opened from the program information the server sends; packet-wise fetching on scroll;
// decimals and display formats of money and quantity fields from the currency table and the user's
// number settings; the range check on typed numbers; the base-data rights check; grid view files.
#include <map>
#include <memory>
#include <string>

#include "framework/data/RadicalDM.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/rtl/Strings.h"

class IRecordEventsOwner;

// One row of the currency table CMSMF.
class TCurrencySetting : public TPersistent {
    TK_CLASS(TCurrencySetting, TPersistent)
public:
    int UnitCostDigits = 0;     // MF005
    std::string CurrencyCode;   // MF001
    int MoneyDigits = 0;        // MF004
    int PriceDigits = 0;        // MF003
    int CostsAmountDigits = 0;  // MF006
};

enum TCurrencyDigitType : int {
    cdtPrice = 0,
    cdtMoney = 1,
    cdtUnitCost = 2,
    cdtCostsAmount = 3
};
// "cdtPrice" ... "cdtCostsAmount".
const char* CurrencyDigitTypeName(TCurrencyDigitType kind);

class TdmBase : public TdmRadical {
    TK_CLASS_PUBLISHED(TdmBase, TdmRadical)
public:
    explicit TdmBase(TComponent* owner);
    ~TdmBase() override;

    // --- Components -------------------------------------------------------------------------------
    TClientDataSet* cdsMain = nullptr;  // provider "pvdMain", 20 rows a packet, fetched on scroll
    TDataSource* dsMain = nullptr;
    TClientDataSet* cdsMainColor = nullptr;  // provider "pvdColor"
    TDataSource* dsMainColor = nullptr;

    // --- State ------------------------------------------------------------------------------------
    std::string KeyFields;  // M11_KEY
    std::string HeaderExtraColumns;
    std::string BodyExtraColumns;
    std::string BodyJoinClause;
    TStringList NumericPrecisions;  // FIELD=total.decimals
    int ServerRecordCount = 0;
    bool FetchOnScroll = true;
    std::string QuantityFieldNames;  // decimals from sys068
    std::string MainTable;           // M11_TABLE
    bool MoneyFieldAutoZero = true;
    bool MoneyFieldThousand = true;
    bool QuantityFieldAutoZero = true;
    bool QuantityFieldThousand = true;
    TStringList DigitFieldGroups;                                               // n=field list
    std::string QuantityDigitsCache;                                            // sys068
    TStringList CurrencyFieldGroups;                                            // source||cdtKind=field list
    std::map<std::string, std::unique_ptr<TCurrencySetting>> CurrencySettings;  // by currency code

    // --- Virtual operations, in slot order --------------------------------------------------------
    virtual bool IsLocalServer() const;
    virtual void SetKeyFields(const std::string& keys);
    virtual void ParseHeaderSelect(const std::string& statement);
    virtual void ParseBodySelect(const std::string& statement);
    virtual void LoadNumericPrecision(const std::string& table);
    // dataSet/field may be null, code empty: see the definition.
    virtual void ApplyCurrencyFormats(TDataSet* dataSet, TField* currencyField, const std::string& code);
    virtual void WatchCurrencyField(TField* field);
    // False when some rows of the level may not be touched; deniedKeys "ALL" or the first keys.
    virtual bool CheckDataRights(TDataSet* dataSet, const std::string& levelPrefix, std::string& deniedKeys);
    virtual bool VerifyDataRights() { return true; }
    // The after-connect step of the chain: opens the header as the program information says.
    int AfterConnectHook() override;

    // --- Other operations -------------------------------------------------------------------------
    // Opens cdsMain (and, silently, cdsMainColor) from the broker's ProgramInfo; true when open.
    // Runs as the after-connect step; the master-detail module extends it with the body.
    virtual bool OpenMain();
    void SetDigitFieldGroup(int decimals, const std::string& fieldList);
    std::string GetDigitFieldGroup(int decimals) const;
    int GetDigitFieldGroupDecimals(int decimals) const;
    int FieldDecimals(const std::string& fieldName);
    // -1 for an empty code or without a broker; 0 digits for a code the currency table lacks.
    int CurrencyDigits(const std::string& code, TCurrencyDigitType kind);
    void LoadNumberSettings();
    // Registration by concrete data modules: fields whose decimals follow the currency named by
    // source (a field name of the module, or "SYS003") for the kind; and the quantity fields.
    void RegisterCurrencyFields(const std::string& source, TCurrencyDigitType kind, const std::string& fieldList);
    void RegisterQuantityFields(const std::string& fieldList);
    // Field management (Ctrl+M of the forms): the system columns shown, read-only, or hidden.
    virtual void SetFieldManagement(bool on) { ShowSystemColumns(cdsMain, on); }

    // Grid view files: section per dataset (name, or name_n for body datasets with n >= 0).
    std::string GridViewFolder() const;
    void SaveGridView(TDataSet* dataSet, const std::string& fileName, int index = -1);
    void LoadGridView(TDataSet* dataSet, const std::string& fileName, int index = -1);

    // --- Published handlers -----------------------------------------------------------------------
    void DataModuleCreate(TObject* Sender);
    void DataModuleDestroy(TObject* Sender);
    void cdsMainBeforeOpen(TDataSet* DataSet);
    void cdsMainAfterOpen(TDataSet* DataSet);
    void cdsMainAfterEdit(TDataSet* DataSet);
    void cdsMainBeforePost(TDataSet* DataSet);
    void cdsMainBeforeScroll(TDataSet* DataSet);
    void cdsMainAfterScroll(TDataSet* DataSet);
    void cdsMainNewRecord(TDataSet* DataSet);
    void NumberFieldSetText(TField* Sender, const std::string& Text);
    void MoneyFieldGetText(TField* Sender, std::string& Text, bool DisplayText);
    void QuantityFieldGetText(TField* Sender, std::string& Text, bool DisplayText);

protected:
    // The new-record step of the chain between the stamp and the radical defaults (TdmSingle's).
    virtual void NewRecordStep(TDataSet* /*dataSet*/) {}
    IRecordEventsOwner* RecordEventsOwner() const;
    // The dataset component of that name, case-insensitive; nullptr when none.
    TDataSet* FindDataSet(const std::string& name) const;
    // Installs handlers and formats on the fields of a field list for n decimals.
    void ApplyNumberFormats(const std::string& fieldList, int decimals, bool money);

private:
    // The field a currency source names: in the dataset given first, else in any open dataset of
    // the module; nullptr for a system setting such as "SYS003".
    TField* CurrencySourceField(const std::string& source, TDataSet* preferred = nullptr) const;
    int QuantityDigits();
    int CurrencyGroupDecimals(const std::string& fieldName);
    std::string DisplayPattern(int decimals, bool money) const;
};

using TBaseDataModuleClass = TClassOf<TdmBase>;
