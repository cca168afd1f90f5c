#pragma once
// The client side of remote automation: a session with a server process that created one object for
// us (by program id), and proxies that forward calls on it and on objects it hands out. Every failure
// raises ESocketConnectionError with the connection error text; no call waits past its time-out.
// The password, when one is given, is used for the hello's proof and not kept.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "toolkit/com/RemoteProtocol.h"
#include "toolkit/com/RemoteSocket.h"

struct TRemoteEndpoint {
    std::string Address;
    int Port = 211;
    std::string ServerName;       // program id of the object the server creates for the session
    int ConnectTimeoutMs = 5000;  // connect and the server's welcome
    int CallTimeoutMs = 300000;   // one call and its answer; < 0 waits as long as it takes
    std::size_t MaxFrame = kDefaultMaxAnswer;
    // Who the client is (RemoteGate.h): a ticket when given, else the user's password when a user is
    // given, else nothing (servers that trust the client's address).
    std::string User;
    std::string Password;
    std::string Ticket;
    // The CA file the server's certificate must be signed by: the session then runs under TLS. "" in
    // the clear.
    std::string TlsCaFile;
};

class TRemoteSession : public std::enable_shared_from_this<TRemoteSession>, private IRemoteObjectMap {
public:
    // Connects, says hello and returns the session; the server's object is Root().
    static std::shared_ptr<TRemoteSession> Open(const TRemoteEndpoint& endpoint);
    ~TRemoteSession() override;

    const TRemoteEndpoint& Endpoint() const { return endpoint_; }
    // What the welcome said: the user as the server spells it ("" when trusted) and the ticket it
    // issued for further sessions of that user ("" unless this was a password login).
    const std::string& User() const { return user_; }
    const std::string& IssuedTicket() const { return ticket_; }
    Variant Root();  // a variant holding the proxy of the session's object
    bool Active() const;
    void Close();  // later calls raise; proxies stay valid objects

    // One call on an object of the server. By-reference arguments receive what the server wrote.
    Variant Invoke(std::uint64_t object, const std::string& member, InvokeKind kind, VarArgs& args);
    void Release(std::uint64_t object) noexcept;

private:
    explicit TRemoteSession(TRemoteEndpoint endpoint);
    std::uint64_t ExportObject(const DispatchPtr& object) override;
    DispatchPtr ImportObject(std::uint64_t id) override;
    std::string ReadAnswer(int timeoutMs, const char* what);
    std::string ReadHelloAnswer(long long deadline);
    // Answers the server's challenge with the password's proof; the signature the server must send.
    std::string AnswerChallenge(TWireReader& challenge, const std::string& clientNonce, long long deadline);
    [[noreturn]] void Lost(const std::string& reason);

    TRemoteEndpoint endpoint_;
    mutable std::mutex mutex_;  // one call at a time on the connection
    TSocket socket_;
    std::uint64_t root_ = 0;
    std::string user_, ticket_;
    std::string pendingPassword_;  // only until the challenge is answered
};

// The proxy of one server object. Holds its session, so a proxy keeps the connection usable.
class TRemoteObject : public IDispatchObject {
public:
    TRemoteObject(std::shared_ptr<TRemoteSession> session, std::uint64_t id) : session_(std::move(session)), id_(id) {}
    ~TRemoteObject() override;
    Variant Invoke(const std::string& member, InvokeKind kind, VarArgs& args) override;
    TRemoteSession* Session() const { return session_.get(); }
    std::uint64_t Id() const { return id_; }

private:
    std::shared_ptr<TRemoteSession> session_;
    std::uint64_t id_;
};
