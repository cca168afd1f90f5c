#pragma once
// The server side of remote automation: a listener that accepts clients, creates one object per
// client by the program id the client names, and runs each session on its own thread (the object is
// only ever used by that thread). A malformed or oversized frame ends that session, with the reason
// logged; the other sessions go on.
//
// What one client may cost is bounded: a frame is read as its bytes arrive and must be complete within
// FrameTimeoutMs once begun, holds at most MaxFrame bytes and MaxValues values; a session that makes no
// call for IdleTimeoutMs is closed (a session inside a call is not idle); clients beyond MaxSessions, or
// beyond MaxSessionsPerPeer from one address, get a refusal frame instead of a session. A call whose
// client has gone, and every call when the server stops, is cancelled (CallCancel.h).
#include <atomic>
#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "toolkit/com/RemoteGate.h"
#include "toolkit/com/RemoteProtocol.h"
#include "toolkit/com/RemoteSocket.h"
#include "toolkit/com/TlsContext.h"

struct TRemoteListenerOptions {
    std::string Address = "127.0.0.1";  // "0.0.0.0" or "" for every interface
    int Port = 0;                       // 0: any free port (see TRemoteListener::Port)
    std::size_t MaxFrame = kDefaultMaxFrame;
    std::size_t MaxValues = kDefaultMaxValues;
    int HelloTimeoutMs = 10000;         // a client must name its server within this time
    int FrameTimeoutMs = 30000;         // a frame once begun must be complete within this time
    int IdleTimeoutMs = 0;              // after the hello, between calls; 0: no limit
    int MaxSessions = 0;                // open at once; 0: no limit
    int MaxSessionsPerPeer = 0;         // open at once from one address; 0: no limit
    int StopTimeoutMs = 5000;           // how long Stop waits for sessions to end
    std::shared_ptr<TRemoteGate> Gate;  // null: no proof asked
    std::shared_ptr<TTlsContext> Tls;   // every session under TLS (handshake before the hello); null: clear
    // Creates the session's object for the client; default: CreateOleObject(progId). Raising refuses
    // the client.
    std::function<DispatchPtr(const std::string& progId, const TRemoteIdentity& client)> CreateObject;
    std::function<void(const std::string& line)> Log;  // default: nothing
};

class TRemoteListener {
public:
    explicit TRemoteListener(TRemoteListenerOptions options);
    ~TRemoteListener();  // stops
    TRemoteListener(const TRemoteListener&) = delete;
    TRemoteListener& operator=(const TRemoteListener&) = delete;

    void Start();  // binds and listens; raises ESocketConnectionError when it cannot
    // Closes the listener, cancels every call and closes every session, and waits up to StopTimeoutMs
    // for their threads. False when some did not end: they are left running and the caller should end
    // the process.
    bool Stop();
    int Port() const { return port_; }
    int SessionCount() const;  // sessions open now
    long long SessionsServed() const { return served_; }
    long long SessionsRefused() const { return refused_; }

private:
    struct Session;
    struct Refused {
        TSocket socket;
        long long closeAt = 0;
    };
    void AcceptLoop();
    void Admit(TSocket client);
    std::string RefusalFor(const std::string& peerAddress) const;
    void Refuse(TSocket client, const std::string& peer, const std::string& reason);
    void Housekeeping();
    void RunSession(Session& session);
    void Serve(Session& session);
    // Reads the rest of the hello and proves the client; nothing when it was refused (and told why).
    std::optional<TRemoteIdentity> Admission(Session& session, TWireReader& hello, const std::string& progId);
    void RefuseHello(Session& session, const std::string& message, const std::string& logged);
    bool ReadRequest(Session& session, std::string& payload, int waitMs, const char* waiting);
    void ReapFinished();
    void Log(const std::string& line) const;

    TRemoteListenerOptions options_;
    TSocket listener_;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::thread acceptThread_;
    std::atomic<bool> stopping_{false};
    std::atomic<long long> served_{0};
    std::atomic<long long> refused_{0};
    mutable std::mutex mutex_;
    std::list<std::unique_ptr<Session>> sessions_;
    std::vector<Refused> refusedSockets_;  // accept thread only
};
