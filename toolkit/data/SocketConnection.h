#pragma once
// The connection of client datasets to their application server. At the in-process address
// ("127.0.0.1") the server object is created in this process by program id (ServerName); at any other
// address the connection opens a session with the server daemon, which creates the object there.
// Failures raise ESocketConnectionError with the connection error text, within the time-outs.
#include <memory>
#include <string>

#include "toolkit/data/RemoteServer.h"

class TRemoteSession;

class TSocketConnection : public TCustomRemoteServer {
public:
    TSocketConnection() = default;
    ~TSocketConnection() override;
    TSocketConnection(const TSocketConnection&) = delete;
    TSocketConnection& operator=(const TSocketConnection&) = delete;

    std::string Address;
    int Port = 211;
    std::string ServerName;  // program id, e.g. "Nexor01S.Class1"
    std::string ServerGUID;  // kept for callers that name the class by GUID; not used to connect
    bool SupportCallbacks = false;
    int ConnectTimeoutMs = 5000;
    int CallTimeoutMs = 300000;
    // The address served in process. Tests reach a daemon on this machine by clearing it.
    std::string InProcessAddress = "127.0.0.1";
    // Who the daemon is told the client is (RemoteClient.h): a ticket, else the user and password.
    // The password is forgotten once the session is open; the ticket the server then issued is kept
    // (IssuedTicket) and used when the connection opens again.
    std::string UserName;
    std::string Password;
    std::string Ticket;
    std::string TlsCaFile;  // the session runs under TLS, the server checked against this CA file
    const std::string& IssuedTicket() const { return issuedTicket_; }

    bool Connected() const override;
    void SetConnected(bool connected);
    void Open();
    void Close();
    // Hands the connection a server object made elsewhere; it counts as connected while it holds one.
    void SetAppServer(const Variant& server);
    // The server object, connecting first when needed.
    Variant AppServer() override;
    bool IsInProcess() const { return !InProcessAddress.empty() && Address == InProcessAddress; }

private:
    Variant appServer_;
    std::shared_ptr<TRemoteSession> session_;
    std::string issuedTicket_;
};
