#include "toolkit/data/SocketConnection.h"

#include "toolkit/com/ComObj.h"
#include "toolkit/com/RemoteClient.h"
#include "toolkit/rtl/SysUtils.h"

TSocketConnection::~TSocketConnection() { Close(); }

bool TSocketConnection::Connected() const { return appServer_.IsDispatch() && (!session_ || session_->Active()); }

void TSocketConnection::SetConnected(bool connected) {
    if (connected)
        Open();
    else
        Close();
}

void TSocketConnection::Open() {
    if (Connected()) return;
    Close();
    std::string address = Trim(Address);
    if (address.empty()) throw ESocketConnectionError(ConnectErrorText(address, Port, "no address given"));
    if (IsInProcess()) {
        appServer_ = CreateOleObject(ServerName);
        return;
    }
    TRemoteEndpoint endpoint;
    endpoint.Address = address;
    endpoint.Port = Port;
    endpoint.ServerName = ServerName;
    endpoint.ConnectTimeoutMs = ConnectTimeoutMs;
    endpoint.CallTimeoutMs = CallTimeoutMs;
    endpoint.User = UserName;
    endpoint.Password = Password;
    endpoint.Ticket = Ticket;
    endpoint.TlsCaFile = TlsCaFile;
    session_ = TRemoteSession::Open(endpoint);
    Password.clear();
    if (!session_->IssuedTicket().empty()) {
        issuedTicket_ = session_->IssuedTicket();
        Ticket = issuedTicket_;
    }
    appServer_ = session_->Root();
}

void TSocketConnection::Close() {
    appServer_ = Variant();
    if (session_) session_->Close();
    session_.reset();
}

void TSocketConnection::SetAppServer(const Variant& server) {
    Close();
    appServer_ = server;
}

Variant TSocketConnection::AppServer() {
    if (!Connected()) Open();
    return appServer_;
}
