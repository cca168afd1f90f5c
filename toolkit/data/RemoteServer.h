#pragma once
// A connection that hands client datasets their application server. The socket connection derives
// from it; tests may derive a trivial one around an in-process object.
#include <string>

#include "toolkit/rtl/Variant.h"

class TCustomRemoteServer {
public:
    virtual ~TCustomRemoteServer() = default;
    std::string Name;
    // The application server's dispatch interface; an Empty variant when not connected.
    virtual Variant AppServer() = 0;
    virtual bool Connected() const { return true; }
};

// A remote server over an object already at hand (in-process servers, tests).
class TLocalConnection : public TCustomRemoteServer {
public:
    TLocalConnection() = default;
    explicit TLocalConnection(Variant appServer) : appServer_(std::move(appServer)) {}
    void SetAppServer(Variant appServer) { appServer_ = std::move(appServer); }
    Variant AppServer() override { return appServer_; }
    bool Connected() const override { return appServer_.IsDispatch(); }

private:
    Variant appServer_;
};
