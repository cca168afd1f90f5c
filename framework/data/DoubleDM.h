#pragma once
// The data module of a document program: a header in cdsMain and its body rows in cdsBody1, nested in
// the header through a dataset field, so that the server delivers a header with its body and one
// apply-updates call saves both. It fills body keys and line numbers, marks the header changed when
// the body changes, sorts the body, counts records for the status bar, reports refused body rows and
// checks the data rights of the body ("D11") and of a sub-body ("F11").
#include <memory>
#include <string>

#include "framework/data/SingleDM.h"

class IDoubleFormLink;
class TBodyLineIndex;

// What stands in a body key field while the header's key is not known yet (a new document).
inline constexpr const char* kPendingKeyMarker = "~~~~~~~~~~~~~~~~~~~~";

class TdmDouble : public TdmSingle {
    TK_CLASS_PUBLISHED(TdmDouble, TdmSingle)
public:
    explicit TdmDouble(TComponent* owner);
    ~TdmDouble() override;

    // --- Components -------------------------------------------------------------------------------
    TClientDataSet* cdsBody1 = nullptr;  // the body, nested in cdsMain's dataset field
    TDataSource* dsBody1 = nullptr;
    TClientDataSet* cdsBodyColor = nullptr;  // nested in cdsMainColor's "qryBodyColor" when the rules colour the body
    TDataSource* dsBodyColor = nullptr;

    // --- State ------------------------------------------------------------------------------------
    std::string BodyKeyFields;     // D11_KEY; the first items match KeyFields position by position
    std::string HeadToBodyFields;  // "MC001->MD001,...": header field -> body field
    bool BodyAutoNumber = true;    // the last body key is a line number the program gives
    std::string BodyAutoNumberField;
    TClientDataSet* BodyClone = nullptr;  // a cursor over the body rows (line numbers, duplicates, carry-over)
    TField* BodySortField = nullptr;
    bool MarkHeaderOnBodyChange = true;
    std::string InitialBodyOrder;                  // "IndexName=..." / "IndexFieldNames=..." / ""
    std::string DefaultBodyIndexFieldNames;        // set by the form
    std::string BodyDataSetFieldName = "qryBody";  // cdsMain's dataset field holding the body

    // --- Virtual operations introduced, in slot order ---------------------------------------------
    virtual void InitBodyRecord();
    virtual void MarkHeaderModified();
    virtual bool RestoreBodyOrder();

    // Overrides.
    bool OpenMain() override;
    bool VerifyDataRights() override;
    std::string GetAutoNumberField() const override;
    void BeforeInsertSave() override;
    void SetFieldManagement(bool on) override;

    // The two hooks of the body's before-post: work to add, and a refusal (true refuses silently).
    virtual void BodyBeforePostHook() {}
    virtual bool RefuseBodyPost() { return false; }

    // --- Other operations -------------------------------------------------------------------------
    void SetBodyKeyFields(const std::string& list);
    void SetBodyAutoNumber(bool flag);
    void CopyHeaderKeysToBody();
    void MarkBodyKeysPending();
    void CopyHeaderFieldsToBody();
    void CopyFromPreviousLine();
    // One above the highest line number of the dataset's rows (0 for a text that is no number), zero-
    // padded to the field's size; "" when the dataset has no such field.
    void NextLineNumber(TDataSet* dataSet, const std::string& fieldName, std::string& text);
    // Whether another body row has the same values in the listed fields ("A+B"; empty: the field alone).
    bool IsDuplicateBodyKey(TField* field, const std::string& fieldList);
    bool RecloneBody();
    // Click sort of the body, as the header's (SortByField).
    void SortBodyByField(const std::string& fieldName);
    // The body key items, trimmed and cut at their first blank.
    const std::vector<std::string>& BodyKeyFieldNames() const;
    // Record counts of the status bar for what the window shows.
    void ShowRecordCounts();

    // --- Published handlers -----------------------------------------------------------------------
    void DataModuleCreate(TObject* Sender);
    void DataModuleDestroy(TObject* Sender);
    void cdsMainNewRecord(TDataSet* DataSet);
    void cdsMainAfterScroll(TDataSet* DataSet);
    void cdsMainAfterPost(TDataSet* DataSet);
    void cdsMainAfterOpen(TDataSet* DataSet);
    void cdsBody1BeforeInsert(TDataSet* DataSet);
    void cdsBody1AfterOpen(TDataSet* DataSet);
    void cdsBody1AfterEdit(TDataSet* DataSet);
    void cdsBody1BeforePost(TDataSet* DataSet);
    void cdsBody1AfterPost(TDataSet* DataSet);
    void cdsBody1AfterDelete(TDataSet* DataSet);
    void cdsBody1AfterScroll(TDataSet* DataSet);
    void cdsBody1NewRecord(TDataSet* DataSet);
    void cdsBody1ReconcileError(TClientDataSet* DataSet, EReconcileError& E, TUpdateKind UpdateKind, TReconcileAction& Action);
    void dsBody1DataChange(TObject* Sender, TField* Field);

protected:
    IDoubleFormLink* DoubleFormLink() const;
    // Fields edited through a combo box ("FIELD;CustomEdit;control" in ControlType) show the combo's
    // text for their value and take either the text or the value.
    void BindComboFields(TDataSet* dataSet);

private:
    // While the module walks the body row by row (controls disabled), the status bar's counts are
    // shown once when the walk ends instead of on every row it passes.
    class TBodyWalk {
    public:
        explicit TBodyWalk(TdmDouble& dm);
        ~TBodyWalk();
        TBodyWalk(const TBodyWalk&) = delete;
        TBodyWalk& operator=(const TBodyWalk&) = delete;

    private:
        TdmDouble& dm_;
    };
    int bodyWalks_ = 0;
    std::unique_ptr<TBodyLineIndex> lineIndex_;
    // BodyKeyFieldNames of the BodyKeyFields text they were made from: asked for on every line posted.
    mutable std::string bodyKeysOf_;
    mutable std::vector<std::string> bodyKeys_;

    bool LinkBody();
    // Whose stamp tells whether the line index still holds for rows: cdsBody1's for its clone.
    TClientDataSet* StampSourceOf(TClientDataSet* rows) const;
    // Number formats of the digit groups on the fields of a new open.
    void ReapplyDigitGroups();
    void ShowBodyCount();
    // The sub-body nested in cdsBody1, when the module has one.
    TClientDataSet* SubBody() const;
    bool CheckSubBodyRights();
};

using TDoubleDataModuleClass = TClassOf<TdmDouble>;
