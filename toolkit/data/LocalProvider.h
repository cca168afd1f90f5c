#pragma once
// An in-process application server over in-memory tables, speaking the provider protocol of
// Provider.h. For tests of client datasets and of the code built on them: providers by name, nested
// detail tables inside master rows, packets with a cursor token, deltas applied all or nothing.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/data/MemTable.h"
#include "toolkit/data/Packets.h"
#include "toolkit/data/ProviderServer.h"

class TLocalProvider : public TProviderServer {
public:
    // A provider name serving a table.
    void AddProvider(const std::string& name, std::shared_ptr<TMemTable> table);
    // Nests a detail table into the provider's rows as dataset field `fieldName`, linked by
    // masterFields = detailFields.
    void AddDetail(const std::string& providerName, const std::string& fieldName, std::shared_ptr<TMemTable> detail,
                   std::vector<std::string> masterFields, std::vector<std::string> detailFields);

    // Updates and deletes must find the row's original FLAG unchanged (off unless a test asks).
    bool CheckFlag = false;
    // Refuses a row when it returns a message (tests of reconcile errors).
    std::function<std::string(const TMemTable& table, const TDeltaRow& row)> RowCheck;
    std::function<Variant(const std::string& provider, const Variant& data)> OnDataRequest;

    // What the provider saw, for tests.
    int GetRecordsCalls = 0;
    int ApplyUpdatesCalls = 0;
    std::string LastCommandText;
    Variant LastParams;

    Variant GetRecords(TRecordsRequest& request) override;
    Variant ApplyUpdates(TUpdatesRequest& request) override;
    Variant DataRequest(const std::string& providerName, const Variant& data) override;
    std::vector<std::string> ProviderNames() const override;

private:
    struct Detail {
        std::string fieldName;
        std::shared_ptr<TMemTable> table;
        std::vector<int> masterPositions, detailPositions;
    };
    struct Provider {
        std::shared_ptr<TMemTable> table;
        std::vector<Detail> details;
    };
    struct Journal {
        TMemTable* table;
        TMemTable::Key key;
        bool existed;
        std::vector<Variant> row;
    };
    Provider& Find(const std::string& name);
    std::vector<TFieldDef> Metadata(const Provider& p) const;
    std::vector<TFieldDef> DetailMetadata(const Detail& d) const;
    Variant DetailRows(const Detail& d, const std::vector<Variant>& masterRow) const;
    void ApplyChanges(const TDeltaReader& reader, TMemTable& table, const std::vector<Detail>& details,
                      const std::string& provider, TErrorPacketBuilder& errors, int maxErrors, bool& stop);
    std::string ApplyRow(TMemTable& table, const TDeltaRow& row);
    void Remember(TMemTable& table, const TMemTable::Key& key);

    std::vector<std::pair<std::string, Provider>> providers_;
    std::vector<Journal> journal_;
};
