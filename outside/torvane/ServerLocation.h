#pragma once
// Where the work center finds the application server: the first server of the client configuration
// (VandrilC.ini in the registry's ClientPath, or in the user's profile folder when ProfileType asks
// for one: [Server Information] ComputerName and ServerPort). "127.0.0.1", the default, is served in
// this process; any other address through nexord, under TLS when TlsCaFile names the CA file that
// signed the server's certificate.
#include <memory>
#include <string>

#include "toolkit/rtl/Variant.h"
#include "toolkit/rtl/Visibility.h"

class TSocketConnection;

struct TK_EXPORT TServerLocation {
    std::string Address = "127.0.0.1";
    int Port = 211;
    std::string TlsCaFile;

    bool InProcess() const { return Address == "127.0.0.1"; }
    // "本机 (127.0.0.1)" or "address:port".
    std::string Text() const;
};

TK_EXPORT TServerLocation ConfiguredServerLocation();

// A server object by program id at the configured location: created in process, or the object a
// session with the daemon there serves (kept open while the connection lives), opened with the user's
// password; the password is forgotten once the session is open, the ticket the daemon issued is kept.
// Raises EOleError or ESocketConnectionError with the reason.
class TK_EXPORT TConfiguredServer {
public:
    explicit TConfiguredServer(std::string progId);
    ~TConfiguredServer();
    TConfiguredServer(const TConfiguredServer&) = delete;
    TConfiguredServer& operator=(const TConfiguredServer&) = delete;

    // The server object, connecting on first use.
    const Variant& Object();
    // Who connects from now on; an open session is closed.
    void SetCredentials(const std::string& user, const std::string& password);
    // The ticket the daemon issued for the user's further sessions; "" in process.
    std::string Ticket() const;

private:
    std::string progId_;
    Variant object_;
    std::unique_ptr<TSocketConnection> connection_;
    std::string user_, password_;
};
