#include "bench/remote/RemoteClient.h"

#include "bench/company/ClientDocument.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/rtl/Dispatch.h"

TRemoteClient::TRemoteClient(const std::string& address, int port) {
    connection_.Address = address;
    connection_.Port = port;
    connection_.ServerName = "Nexor01S.Class1";
    connection_.CallTimeoutMs = 120000;
    connection_.Open();
    if (OleCall(connection_.AppServer(), "Connect", {VarArrayOf({"TDEF05", "DS", "DEMO", "DEMO", true, false})}).AsInteger() != 0)
        throw Exception("The daemon refused the connection");
    main_.RemoteServer = &connection_;
    main_.ProviderName = "pvdMain";
    main_.OnReconcileError = [this](TClientDataSet*, EReconcileError& e, TUpdateKind, TReconcileAction&) {
        refusal_ = e.Message();
    };
    body_.OnReconcileError = main_.OnReconcileError;
}

std::string TRemoteClient::OpenFirstPacket() {
    main_.Close();
    main_.PacketRecords = kPacket;
    Request("");
    main_.Open();
    if (main_.RecordCount() != kPacket) return "the first packet is not 20 rows";
    main_.First();
    for (int row = 1; row <= kPacket; ++row) {
        shown_ += main_.FieldByName("MC001")->AsString().size() + main_.FieldByName("MC002")->AsString().size();
        if (row < kPacket) main_.Next();  // past the 20th would fetch the next packet
    }
    return "";
}

void TRemoteClient::PrepareDocument(const std::string& key, int lines) {
    main_.Close();
    main_.PacketRecords = -1;
    Request("1=2");
    main_.Open();
    if (!body_.DataSetField()) body_.SetDataSetField(static_cast<TDataSetField*>(main_.FieldByName("qryBody")));
    if (!body_.Active()) body_.Open();
    FillClientDocument(main_, body_, key, lines);
}

void TRemoteClient::Request(const std::string& condition) {
    // Asked once: the server keeps the request for the opens after it.
    if (requested_ && condition_ == condition) return;
    main_.DataRequest(VarArrayOf({condition, ""}));
    condition_ = condition;
    requested_ = true;
}

std::string TRemoteClient::Save() {
    refusal_.clear();
    if (main_.ApplyUpdates(0) != 0) return "the server refused the document: " + refusal_;
    return "";
}
