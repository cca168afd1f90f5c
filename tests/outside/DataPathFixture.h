#pragma once
// The data path as a client sees it: client datasets on a socket connection to the application server
// (in process, or a nexord daemon), over a fresh company database.
#include <memory>
#include <string>

#include "CompanyFixture.h"
#include "outside/appserver/CompanyDatabase.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/data/SocketConnection.h"

// A client of the Tdef05 documents: connection, header dataset and its nested body.
struct DocumentClient {
    TSocketConnection connection;
    TClientDataSet main, body;

    // address "127.0.0.1" creates the server in this process; any other reaches a daemon.
    explicit DocumentClient(const std::string& address = "127.0.0.1", int port = 211, const std::string& user = "DS") {
        connection.Address = address;
        connection.Port = port;
        connection.ServerName = "Nexor01S.Class1";
        connection.ConnectTimeoutMs = 5000;
        connection.CallTimeoutMs = 60000;
        connection.Open();
        int connected =
            OleCall(connection.AppServer(), "Connect", {VarArrayOf({"TDEF05", user, "DEMO", "DEMO", true, false})}).AsInteger();
        if (connected != 0) throw Exception("Connect answered " + std::to_string(connected));
        main.RemoteServer = &connection;
        main.ProviderName = "pvdMain";
    }
    // Opens the header with [condition, order] and binds the body to the header's qryBody.
    void Open(const std::string& condition = "", const std::string& order = "", int packet = -1) {
        main.Close();
        main.PacketRecords = packet;
        main.DataRequest(VarArrayOf({condition, order}));
        main.Open();
        if (!body.DataSetField()) body.SetDataSetField(static_cast<TDataSetField*>(main.FieldByName("qryBody")));
        if (!body.Active()) body.Open();
    }
    Variant Server() { return connection.AppServer(); }
    // Finalises a row as the data modules do before saving: FLAG one up, modulo 1000.
    static void BumpFlag(TDataSet& ds) { ds.FieldByName("FLAG")->SetAsInteger((ds.FieldByName("FLAG")->AsInteger() + 1) % 1000); }
};

class DataPathFixture : public CompanyFixture {
protected:
    CompanyDatabase& Db() {
        if (!db_) db_ = std::make_unique<CompanyDatabase>(dbPath_);
        return *db_;
    }
    // Documents D001..Dn, each with `lines` body rows 0001.. (FLAG 1 everywhere).
    void AddDocuments(int count, int lines, const std::string& prefix = "D") {
        Db().InTransaction([&] {
            for (int d = 1; d <= count; ++d) {
                char key[16];
                std::snprintf(key, sizeof key, "%s%03d", prefix.c_str(), d);
                Db().Query(
                    "INSERT INTO ADMMC (MC001, MC002, MC003, MC004, COMPANY, CREATOR, FLAG) VALUES (?, ?, '1', 'ADM', 'DEMO', "
                    "'DS', 1)",
                    {key, "表" + std::to_string(d)});
                for (int l = 1; l <= lines; ++l) {
                    char line[16];
                    std::snprintf(line, sizeof line, "%04d", l);
                    Db().Query("INSERT INTO ADMMD (MD001, MD002, MD003, MD004, FLAG) VALUES (?, ?, ?, ?, 1)",
                               {key, line, "F" + std::to_string(l), "字段" + std::to_string(l)});
                }
            }
        });
    }
    Variant Value(const std::string& sql, const std::vector<Variant>& params = {}) {
        SqlResult r = Db().Query(sql, params);
        return r.rows.empty() ? Variant() : r.rows[0][0];
    }
    long long Count(const std::string& sql, const std::vector<Variant>& params = {}) { return Value(sql, params).AsInt64(); }

    std::unique_ptr<CompanyDatabase> db_;
};
