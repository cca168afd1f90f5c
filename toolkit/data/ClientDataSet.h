#pragma once
// The client dataset: rows held in memory with a change log keyed by stable record ids, fetched
// from a provider in packets (see Provider.h) or created locally, with nested detail datasets,
// indexes, filters, clone cursors and ApplyUpdates with reconcile events.
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "toolkit/data/DataSet.h"
#include "toolkit/data/Params.h"
#include "toolkit/data/RemoteServer.h"
#include "toolkit/data/RowStore.h"

class TClientDataSet;

// A row the server refused, as the reconcile event sees it.
class EReconcileError : public EDatabaseError {
public:
    EReconcileError(std::string message, int errorCode, int previousError, std::string context)
        : EDatabaseError(std::move(message)), errorCode_(errorCode), previousError_(previousError), context_(std::move(context)) {
    }
    const char* ClassName() const noexcept override { return "EReconcileError"; }
    int ErrorCode() const { return errorCode_; }
    int PreviousError() const { return previousError_; }
    const std::string& Context() const { return context_; }

private:
    int errorCode_;
    int previousError_;
    std::string context_;
};

using TReconcileErrorEvent =
    std::function<void(TClientDataSet* DataSet, EReconcileError& E, TUpdateKind UpdateKind, TReconcileAction& Action)>;

// A record-level rule checked on post (an expression in the filter syntax).
struct TCheckConstraint {
    std::string CustomConstraint;
    std::string ErrorMessage;
};

class TClientDataSet : public TDataSet {
    TK_CLASS(TClientDataSet, TDataSet)
public:
    explicit TClientDataSet(TComponent* owner = nullptr);
    ~TClientDataSet() override;

    // --- Provider --------------------------------------------------------------------------------
    std::string ProviderName;
    std::string CommandText;
    TParams Params;
    int PacketRecords = -1;     // rows per packet; -1 all, 0 metadata only
    bool FetchOnDemand = true;  // moving past the last fetched row fetches the next packet
    TCustomRemoteServer* RemoteServer = nullptr;
    void SetProvider(const Variant& appServer) { provider_ = appServer; }  // a direct provider (tests, local)
    Variant AppServer() const;
    int GetNextPacket();  // rows fetched (0 when all are here)
    bool MoreRowsAvailable() const { return moreRows_; }
    Variant DataRequest(const Variant& data);

    // --- Local data ------------------------------------------------------------------------------
    void CreateDataSet();                 // empty dataset from FieldDefs (or from the fields made beforehand)
    void EmptyDataSet();                  // drops every row and the change log
    Variant Data() const;                 // the current rows as a data packet
    void SetData(const Variant& packet);  // loads a data packet and opens
    Variant Delta() const;                // the change log as a delta

    // --- Change log ------------------------------------------------------------------------------
    int ChangeCount() const;
    TUpdateStatus UpdateStatus() const;
    void CancelUpdates();
    void MergeChangeLog();
    void RevertRecord();
    bool UndoLastChange(bool followChange);
    // Changes many rows of the view at once, without their edit state: `change` gets a copy of each
    // row's values (by field slot) and says whether it changed them. Each changed row is logged and
    // undone as if edited and posted by itself, and the master of a nested dataset goes into edit;
    // no dataset or field events run and no checks are made. Returns the number of rows changed.
    int ModifyRows(const std::function<bool(std::vector<Variant>& values)>& change);
    bool LogChanges() const { return logChanges_; }
    void SetLogChanges(bool log);
    int ApplyUpdates(int maxErrors);
    TReconcileErrorEvent OnReconcileError;

    // The state of the rows this cursor shows (shared with its clones): it changes with every change
    // of them and is never the same for other rows, so a value computed over the rows holds while
    // the stamp is the one it was computed at. 0 when closed.
    std::uint64_t DataStamp() const;

    // --- Cursors, order and search ---------------------------------------------------------------
    void CloneCursor(TClientDataSet* source, bool reset, bool keepSettings = false);
    const std::string& IndexFieldNames() const { return indexFieldNames_; }
    void SetIndexFieldNames(const std::string& names);
    const std::string& IndexName() const { return indexName_; }
    void SetIndexName(const std::string& name);
    TIndexDefs& IndexDefs() { return indexDefs_; }
    void AddIndex(const std::string& name, const std::string& fields, TIndexOptions options = {},
                  const std::string& descFields = {}, const std::string& caseInsFields = {});
    void DeleteIndex(const std::string& name);
    bool FindKey(const std::vector<Variant>& keyValues);  // on the current index fields
    void FindNearest(const std::vector<Variant>& keyValues);

    // --- Constraints -----------------------------------------------------------------------------
    std::vector<TCheckConstraint> Constraints;
    void DisableConstraints() { ++constraintsDisabled_; }
    void EnableConstraints() {
        if (constraintsDisabled_ > 0) --constraintsDisabled_;
    }
    bool ConstraintsDisabled() const { return constraintsDisabled_ > 0; }

    void Refresh();

protected:
    void InternalOpen() override;
    void InternalClose() override;
    int InternalCount() const override;
    int InternalPosition() const override;
    void InternalSetPosition(int position) override;
    bool InternalFetchMore() override;
    void InternalFetchAll() override;
    const std::vector<Variant>* InternalRow(int position) const override;
    TBookmark InternalBookmark(int position) const override;
    int InternalFindBookmark(TBookmark bookmark) const override;
    void InternalInsert(bool append) override;
    void InternalEdit() override;
    void InternalPost() override;
    void InternalCancel() override;
    void InternalDelete() override;
    std::vector<Variant>* InternalBuffer() override;
    void InternalFilterChanged() override;
    void InternalLocateFetch() override;
    void InternalCheckConstraints() override;
    void ParentRecordChanged() override;
    Variant GetFetchedFieldData(const TField* field) const override;

private:
    struct TSortKey {
        int slot;
        bool descending;
        bool caseInsensitive;
    };
    // The row the fields show now (insert/edit buffer or the current row); nullptr when none.
    TRowPtr ActiveRowPtr() const;
    std::shared_ptr<TRowStore> NestedStore(int nestedIndex) const;
    std::shared_ptr<TRowStore> ParentStore() const;
    void FetchFromProvider(bool reset);
    void AppendFetched(Variant rows);
    void CloseSilently();
    void EnsureView() const;
    void RebuildView() const;
    void ApplySortKeys();
    int CompareRows(const TRow& a, const TRow& b) const;
    bool InView(const TRow& row);
    void PlaceInView(const TRowPtr& row);
    void ResyncAfterLogChange();
    TClientDataSet* RootDataSet();
    int Reconcile(const struct TErrorPacket& errors);
    TClientDataSet* DataSetForStore(TRowStore* store);
    void PositionOn(const std::vector<TRowStore::TPathStep>& path);
    void MoveSilentlyTo(std::int64_t id);
    void ComputeSortKeys();
    void AfterViewChange();
    bool isClone_ = false;

    Variant provider_;
    Variant ownerData_;
    bool moreRows_ = false;
    bool logChanges_ = true;
    int constraintsDisabled_ = 0;
    std::shared_ptr<TRowStore> store_;
    std::shared_ptr<TRowStore> pendingStore_;  // CreateDataSet / SetData / CloneCursor hand it to open
    TClientDataSet* cloneSource_ = nullptr;    // a clone of a nested dataset follows its source
    std::vector<TClientDataSet*> clones_;
    mutable std::vector<TRowPtr> view_;
    mutable std::uint64_t viewVersion_ = 0;
    mutable const TRowStore* viewStore_ = nullptr;
    mutable int pos_ = -1;
    mutable std::int64_t curId_ = 0;
    mutable std::unordered_map<std::int64_t, int> idIndex_;
    mutable bool idIndexValid_ = false;
    TRowPtr buffer_;
    bool inserting_ = false;
    bool appending_ = false;
    TRowPtr insertBefore_;
    int insertPos_ = 0;
    std::string indexFieldNames_;
    std::string indexName_;
    TIndexDefs indexDefs_;
    std::vector<TSortKey> sortKeys_;
    std::vector<std::shared_ptr<class TFilterExpression>> constraintExprs_;
};
