#pragma once
// The dataset: fields over a current record, the state machine (inactive, browse, edit, insert,
// set-key, calc-fields), navigation, editing, events and notification of data sources. Where the
// rows live is the concern of a descendant (TClientDataSet) through the protected Internal* hooks.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/classes/Component.h"
#include "toolkit/data/DataTypes.h"
#include "toolkit/data/Field.h"
#include "toolkit/data/FieldDefs.h"
#include "toolkit/rtl/Variant.h"

class TDataSource;
class TDataSetField;

// A bookmark names a record by its stable id; 0 is no bookmark.
using TBookmark = std::int64_t;

class TDataSet : public TComponent {
    TK_CLASS(TDataSet, TComponent)
public:
    explicit TDataSet(TComponent* owner = nullptr);
    ~TDataSet() override;
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    // --- Structure -------------------------------------------------------------------------------
    TFieldDefs& FieldDefs() { return fieldDefs_; }
    const TFieldDefs& FieldDefs() const { return fieldDefs_; }
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField* Fields(int index) const;
    const std::vector<TField*>& FieldList() const { return fieldOrder_; }
    TField* FindField(const std::string& name) const;    // case-insensitive; nullptr when absent
    TField* FieldByName(const std::string& name) const;  // raises "Field 'X' not found"
    // Creates a field of the kind matching the type and gives it to the dataset. Fields created while
    // the dataset is closed are persistent: opening keeps them and adds only the missing data fields.
    TField* CreateField(TFieldType type, const std::string& name, TFieldKind kind = fkData, int size = 0);
    template <class F>
    F* AddField(const std::string& name, TFieldKind kind = fkData) {
        auto f = std::make_unique<F>();
        F* raw = f.get();
        raw->SetFieldName(name);
        raw->SetFieldKind(kind);
        AdoptField(std::move(f));
        return raw;
    }
    void AdoptField(std::unique_ptr<TField> field);
    void MoveField(TField* field, int newIndex);  // reorders Fields (TField::SetIndex)
    // FieldValues: one value by name; several names "A;B" read as an array.
    Variant FieldValues(const std::string& names) const;
    void SetFieldValues(const std::string& name, const Variant& value);

    // --- State -----------------------------------------------------------------------------------
    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state_; }
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    bool ReadOnly = false;
    virtual bool CanModify() const { return !ReadOnly; }
    bool IsLinkedTo(const TDataSource* source) const;

    // --- Navigation ------------------------------------------------------------------------------
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    int RecNo() const;  // 1-based; 0 when empty
    void SetRecNo(int recNo);
    int RecordCount() const;  // rows fetched and visible
    bool IsEmpty() const;

    // --- Editing ---------------------------------------------------------------------------------
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void CheckBrowseMode();  // posts a modified record, cancels an untouched one
    void UpdateRecord();     // asks data links to write their pending text
    void AppendRecord(const std::vector<Variant>& values);
    void InsertRecord(const std::vector<Variant>& values);
    void ClearFields();

    // --- Bookmarks -------------------------------------------------------------------------------
    TBookmark GetBookmark() const;
    // The bookmark of another visible record (1-based) without moving; 0 when there is none.
    TBookmark BookmarkAt(int recNo) const;
    void GotoBookmark(TBookmark bookmark);  // raises when the record is gone
    bool BookmarkValid(TBookmark bookmark) const;
    int CompareBookmarks(TBookmark a, TBookmark b) const;  // by current order: -1, 0, 1
    void FreeBookmark(TBookmark) {}

    // --- Searching -------------------------------------------------------------------------------
    bool Locate(const std::string& keyFields, const Variant& keyValues, TLocateOptions options = {});
    Variant Lookup(const std::string& keyFields, const Variant& keyValues, const std::string& resultFields);

    // --- Filtering -------------------------------------------------------------------------------
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& filter);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered);
    TFilterRecordEvent OnFilterRecord;  // assign, then re-apply with SetFiltered/Refresh

    // --- Data sources and controls ---------------------------------------------------------------
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }
    void DataEvent(TDataEvent event, const void* info = nullptr);
    void AttachDataSource(TDataSource* source);
    void DetachDataSource(TDataSource* source);
    virtual void Resync();  // re-reads the current position and tells data sources

    // --- Nesting ---------------------------------------------------------------------------------
    TDataSetField* DataSetField() const { return dataSetField_; }
    void SetDataSetField(TDataSetField* field);
    TDataSet* ParentDataSet() const;

    // --- Events ----------------------------------------------------------------------------------
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit, BeforePost, AfterPost;
    TDataSetNotifyEvent BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent BeforeRefresh, AfterRefresh;
    TDataSetNotifyEvent OnNewRecord, OnCalcFields;
    TDataSetErrorEvent OnPostError, OnEditError, OnDeleteError;

    // --- Used by fields --------------------------------------------------------------------------
    const Variant& GetFieldData(const TField* field) const;
    void SetFieldData(TField* field, Variant value);
    void RestoreFieldData(TField* field, Variant value);             // puts back a value, no events
    Variant GetOldFieldData(const TField* field) const;              // before the pending edit
    virtual Variant GetFetchedFieldData(const TField* field) const;  // as fetched, before logged changes

    // Reads fields of another visible record (1-based) without moving: grids and exports paint rows
    // this way. Calculated fields are computed for it (GetBookmark names it meanwhile, so that a
    // calculation can ask about its own record). No events fire.
    class TRecordPeek {
    public:
        TRecordPeek(TDataSet& dataSet, int recNo);
        ~TRecordPeek();
        TRecordPeek(const TRecordPeek&) = delete;
        TRecordPeek& operator=(const TRecordPeek&) = delete;
        bool Valid() const { return valid_; }

    private:
        TDataSet& ds_;
        const std::vector<Variant>* savedRow_;
        TBookmark savedBookmark_;
        std::vector<Variant> savedCalc_;
        bool savedPeeking_;
        bool valid_ = false;
    };

protected:
    // Storage hooks. Positions are 0-based indexes into the visible, ordered rows.
    virtual void InternalOpen() = 0;  // fields exist; load the first rows
    virtual void InternalClose() = 0;
    virtual int InternalCount() const = 0;
    virtual int InternalPosition() const = 0;  // -1 when there is no current row
    virtual void InternalSetPosition(int position) = 0;
    virtual bool InternalFetchMore() { return false; }  // next packet on demand; true when rows came
    virtual void InternalFetchAll() {}
    virtual const std::vector<Variant>* InternalRow(int position) const = 0;
    virtual TBookmark InternalBookmark(int position) const = 0;
    virtual int InternalFindBookmark(TBookmark bookmark) const = 0;  // -1 when not visible
    virtual void InternalInsert(bool append) = 0;                    // makes an insert buffer
    virtual void InternalEdit() = 0;                                 // makes an edit buffer
    virtual void InternalPost() = 0;                                 // stores the buffer, logs the change
    virtual void InternalCancel() = 0;                               // drops the buffer
    virtual void InternalDelete() = 0;                               // removes the current row, logs the change
    virtual std::vector<Variant>* InternalBuffer() = 0;              // the edit or insert buffer
    virtual void InternalRefresh() {}
    virtual void InternalFilterChanged() {}
    virtual void InternalLocateFetch() {}       // rows not fetched yet that a search must see
    virtual void InternalCheckConstraints() {}  // record constraints before a post
    // The parent's current record changed: a nested dataset shows the rows of the new one.
    virtual void ParentRecordChanged() {}

    // Called after the current record changed (scroll, open, insert, cancel): nested datasets rebind.
    virtual void CurrentRecordChanged();
    // Fields for an opening dataset: keeps persistent ones, adds missing data fields from FieldDefs,
    // assigns slots (data fields by definition, internal-calc after them, calculated in the calc
    // buffer). Returns the number of stored slots.
    int BindFields();
    void DestroyDefaultFields();
    bool RecordAccepted(const std::vector<Variant>& row);  // Filter and OnFilterRecord
    void CalculateFields();                                // for the active record
    void CheckActive() const;
    void CheckCanModify() const;
    void CheckRequiredFields();
    void SetState(TDataSetState state);
    void DoScrollTo(int position);  // with scroll events
    int CurrentSlotCount() const { return slotCount_; }
    bool InDataEvent() const { return dataEventDepth_ > 0; }
    void SetBofEof(bool bof, bool eof) {
        bof_ = bof;
        eof_ = eof;
    }
    static void Fire(const TDataSetNotifyEvent& event, TDataSet* ds) {
        if (event) event(ds);
    }
    void RunChecked(const std::function<void()>& operation, const TDataSetErrorEvent& onError);

    // Filter expression compiled from Filter (nullptr when none).
    std::shared_ptr<class TFilterExpression> filterExpr_;

private:
    friend class TDataSetField;
    friend class TRecordPeek;
    const std::vector<Variant>* ActiveRow() const;
    void EnsureRowPosition();
    void BeginInsertAppend(bool append);
    void CheckParentState();
    void NotifyFieldChange(TField* field);
    bool MatchRow(const std::vector<TField*>& fields, const Variant& values, const TLocateOptions& options,
                  const std::vector<Variant>& row);

    TFieldDefs fieldDefs_;
    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<TField*> fieldOrder_;
    std::vector<bool> persistent_;
    std::vector<std::pair<TField*, int>> requestedIndex_;  // positions asked for while closed
    TDataSetState state_ = dsInactive;
    bool modified_ = false;
    bool bof_ = true, eof_ = true;
    int slotCount_ = 0;
    int calcCount_ = 0;
    std::vector<Variant> calcBuffer_;
    const std::vector<Variant>* peekRow_ = nullptr;
    TBookmark peekBookmark_ = 0;  // the record a TRecordPeek shows
    bool peeking_ = false;
    int disableCount_ = 0;
    bool pendingChange_ = false;
    TDataSetState stateAtDisable_ = dsInactive;
    int dataEventDepth_ = 0;
    std::vector<TDataSource*> sources_;
    TDataSetField* dataSetField_ = nullptr;
    std::string filter_;
    bool filtered_ = false;
    bool calculating_ = false;
    TDataSetState calcSavedState_ = dsInactive;
};
