#pragma once
// The server side of remote automation: a listener that accepts clients, creates one object per
// client by the program id the client names, and runs each session on its own thread (the object is
// only ever used by that thread). A malformed or oversized frame ends that session, with the reason
// logged; the other sessions go on.
#include <atomic>
#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "toolkit/com/RemoteProtocol.h"
#include "toolkit/com/RemoteSocket.h"

struct TRemoteListenerOptions {
    std::string Address = "127.0.0.1";    // "0.0.0.0" or "" for every interface
    int Port = 0;                          // 0: any free port (see TRemoteListener::Port)
    std::size_t MaxFrame = kDefaultMaxFrame;
    int HelloTimeoutMs = 10000;            // a client must name its server within this time
    // Creates the session's object; default: CreateOleObject(progId). Raising refuses the client.
    std::function<DispatchPtr(const std::string& progId)> CreateObject;
    std::function<void(const std::string& line)> Log;   // default: nothing
};

class TRemoteListener {
public:
    explicit TRemoteListener(TRemoteListenerOptions options);
    ~TRemoteListener();   // stops
    TRemoteListener(const TRemoteListener&) = delete;
    TRemoteListener& operator=(const TRemoteListener&) = delete;

    void Start();         // binds and listens; raises ESocketConnectionError when it cannot
    void Stop();          // closes the listener and every session, and waits for their threads
    int Port() const { return port_; }
    int SessionCount() const;   // sessions open now
    long long SessionsServed() const { return served_; }

private:
    struct Session;
    void AcceptLoop();
    void RunSession(Session& session);
    void Serve(Session& session);
    void ReapFinished();
    void Log(const std::string& line) const;

    TRemoteListenerOptions options_;
    TSocket listener_;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::thread acceptThread_;
    std::atomic<bool> stopping_{false};
    std::atomic<long long> served_{0};
    mutable std::mutex mutex_;
    std::list<std::unique_ptr<Session>> sessions_;
};
