#pragma once
// Shared setup of the data layer tests: a document header table with nested body rows served by the
// in-process provider, and a recorder of data source notifications.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/data/Fields.h"
#include "toolkit/data/LocalProvider.h"

struct DocumentServer {
    std::shared_ptr<TMemTable> header, body;
    std::shared_ptr<TLocalProvider> provider;
    Variant appServer;

    explicit DocumentServer(int documents = 3, int linesPerDocument = 2) {
        std::vector<TFieldDef> h(3), b(4);
        h[0] = FieldDef("MC001", ftString, 10, true);
        h[1] = FieldDef("MC002", ftString, 40);
        h[2] = FieldDef("FLAG", ftInteger);
        b[0] = FieldDef("MD001", ftString, 10, true);
        b[1] = FieldDef("MD002", ftString, 4, true);
        b[2] = FieldDef("MD003", ftString, 20);
        b[3] = FieldDef("FLAG", ftInteger);
        header = std::make_shared<TMemTable>("ADMMC", h, std::vector<std::string>{"MC001"});
        body = std::make_shared<TMemTable>("ADMMD", b, std::vector<std::string>{"MD001", "MD002"});
        for (int d = 1; d <= documents; ++d) {
            std::string key = "DOC" + std::to_string(d);
            header->AddRow({Variant(key), Variant("文档" + std::to_string(d)), Variant(1)});
            for (int l = 1; l <= linesPerDocument; ++l)
                body->AddRow(
                    {Variant(key), Variant("000" + std::to_string(l)), Variant("line " + std::to_string(l)), Variant(1)});
        }
        provider = std::make_shared<TLocalProvider>();
        provider->AddProvider("pvdMain", header);
        provider->AddDetail("pvdMain", "qryBody", body, {"MC001"}, {"MD001"});
        appServer = Variant(std::static_pointer_cast<IDispatchObject>(provider));
    }
    // Opens a client dataset on the headers, their lines nested in its field qryBody.
    void OpenHeaders(TClientDataSet& main) const {
        main.SetProvider(appServer);
        main.ProviderName = "pvdMain";
        main.Open();
    }
};

// Counts what the links of a data source hear.
class RecordingLink : public TDataLink {
public:
    int dataSetChanged = 0, recordChanged = 0, editingChanged = 0, activeChanged = 0, scrolled = 0;
    void DataSetChanged() override { ++dataSetChanged; }
    void DataSetScrolled(int) override { ++scrolled; }
    void RecordChanged(TField*) override { ++recordChanged; }
    void EditingChanged() override { ++editingChanged; }
    void ActiveChanged() override { ++activeChanged; }
};

// A local dataset with an integer key and a name, filled with the given rows.
inline void MakeLocal(TClientDataSet& ds, const std::vector<std::pair<int, std::string>>& rows) {
    ds.FieldDefs().Add("ID", ftInteger, 0, true);
    ds.FieldDefs().Add("NAME", ftString, 20);
    ds.CreateDataSet();
    for (const auto& [id, name] : rows) ds.AppendRecord({Variant(id), Variant(name)});
}
