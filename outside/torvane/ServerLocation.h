#pragma once
// Where the work center finds the application server: the first server of the client configuration
// (VandrilC.ini in the registry's ClientPath, or in the user's profile folder when ProfileType asks
// for one: [Server Information] ComputerName and ServerPort). "127.0.0.1", the default, is served in
// this process; any other address through nexord.
#include <memory>
#include <string>

#include "toolkit/rtl/Variant.h"

class TSocketConnection;

struct TServerLocation {
    std::string Address = "127.0.0.1";
    int Port = 211;

    bool InProcess() const { return Address == "127.0.0.1"; }
    // "本机 (127.0.0.1)" or "address:port".
    std::string Text() const;
};

TServerLocation ConfiguredServerLocation();

// A server object by program id at the configured location: created in process, or the object a
// session with the daemon there serves (kept open while the connection lives). Raises EOleError or
// ESocketConnectionError with the reason.
class TConfiguredServer {
public:
    explicit TConfiguredServer(std::string progId);
    ~TConfiguredServer();
    TConfiguredServer(const TConfiguredServer&) = delete;
    TConfiguredServer& operator=(const TConfiguredServer&) = delete;

    // The server object, connecting on first use.
    const Variant& Object();

private:
    std::string progId_;
    Variant object_;
    std::unique_ptr<TSocketConnection> connection_;
};
