#include "toolkit/com/RemoteListener.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <map>
#include <vector>

#include "toolkit/com/CallCancel.h"
#include "toolkit/com/ComObj.h"

namespace {

std::mutex& LogMutex() {
    static std::mutex m;
    return m;
}

// How often the accept thread looks after refused sockets and clients that left during a call.
constexpr int kHousekeepingMs = 200;
// A refused client gets this long to read its refusal before the socket closes.
constexpr int kRefusalLingerMs = 1000;
// A payload buffer larger than this is given back after its frame.
constexpr std::size_t kKeptBuffer = 1024 * 1024;

void WriteError(TWireWriter& out, const char* className, const std::string& message) {
    out.Message(TRemoteMessage::Error);
    out.Str(className);
    out.Str(message);
}

std::string ErrorFrame(const char* className, const std::string& message) {
    TWireWriter out;
    WriteError(out, className, message);
    return out.Frame();
}

std::string Seconds(int ms) { return std::to_string(ms / 1000) + " s"; }

}  // namespace

// One client: its socket, its thread and the objects it may call (id 1 is the object made for it).
struct TRemoteListener::Session : IRemoteObjectMap {
    long long number = 0;
    TSocket socket;
    std::string peer;             // address:port
    std::string peerAddress;      // address
    std::string serverSignature;  // of a password login, sent in the welcome
    std::thread thread;
    bool finished = false;  // guarded by the listener's mutex
    std::atomic<bool> inCall{false};
    TCallCancel cancel;

    struct Entry {
        DispatchPtr object;
        long long exports = 0;  // proxies the client holds; the root is never released
    };
    std::map<std::uint64_t, Entry> objects;
    std::map<const IDispatchObject*, std::uint64_t> ids;
    std::uint64_t nextId = 1;

    std::string Prefix() const { return "session " + std::to_string(number) + " (" + peer + "): "; }

    std::uint64_t Add(const DispatchPtr& object) {
        auto found = ids.find(object.get());
        if (found != ids.end()) {
            ++objects[found->second].exports;
            return found->second;
        }
        std::uint64_t id = nextId++;
        objects[id] = {object, 1};
        ids[object.get()] = id;
        return id;
    }
    std::uint64_t ExportObject(const DispatchPtr& object) override {
        if (!object) throw EOleError("No automation object to send");
        return Add(object);
    }
    DispatchPtr ImportObject(std::uint64_t id) override {
        auto found = objects.find(id);
        if (found == objects.end()) throw EOleError("The automation object " + std::to_string(id) + " no longer exists");
        return found->second.object;
    }
    void Release(std::uint64_t id) {
        auto found = objects.find(id);
        if (found == objects.end() || id == 1) return;
        if (--found->second.exports <= 0) {
            ids.erase(found->second.object.get());
            objects.erase(found);
        }
    }
};

TRemoteListener::TRemoteListener(TRemoteListenerOptions options) : options_(std::move(options)) {
    if (!options_.CreateObject)
        options_.CreateObject = [](const std::string& progId, const TRemoteIdentity&) {
            return CreateOleObject(progId).AsDispatch();
        };
}

TRemoteListener::~TRemoteListener() { Stop(); }

void TRemoteListener::Log(const std::string& line) const {
    if (!options_.Log) return;
    std::lock_guard<std::mutex> lock(LogMutex());
    options_.Log(line);
}

void TRemoteListener::Start() {
    if (listener_.Valid()) return;
    listener_ = TSocket::Listen(options_.Address, options_.Port);
    port_ = listener_.LocalPort();
    if (pipe2(wake_, O_CLOEXEC) != 0) throw ESocketConnectionError("cannot create the listener's wake-up pipe");
    stopping_ = false;
    acceptThread_ = std::thread([this] { AcceptLoop(); });
    Log("listening on " + (options_.Address.empty() ? std::string("0.0.0.0") : options_.Address) + ":" + std::to_string(port_));
}

bool TRemoteListener::Stop() {
    if (!acceptThread_.joinable()) return true;
    stopping_ = true;
    char wake = 1;
    [[maybe_unused]] ssize_t ignored = write(wake_[1], &wake, 1);
    acceptThread_.join();
    listener_.Close();
    refusedSockets_.clear();
    close(wake_[0]);
    close(wake_[1]);
    wake_[0] = wake_[1] = -1;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto& s : sessions_) {
            if (s->finished) continue;
            s->cancel.Cancel("the server is stopping");
            s->socket.Shutdown();
        }
    }
    // The accept thread is gone, so nobody else adds to the list now.
    long long deadline = MonotonicMs() + options_.StopTimeoutMs;
    int stuck = 0;
    for (auto& s : sessions_) {
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (s->finished) break;
            }
            if (MonotonicMs() >= deadline) break;
            usleep(10 * 1000);
        }
        std::unique_lock<std::mutex> lock(mutex_);
        if (s->finished) {
            lock.unlock();
            if (s->thread.joinable()) s->thread.join();
            continue;
        }
        // It will never be joined: its thread keeps the session, and the process is about to end.
        ++stuck;
        s->thread.detach();
        s.release();
    }
    sessions_.clear();
    if (stuck > 0) {
        Log(std::to_string(stuck) + " session(s) did not end within " + Seconds(options_.StopTimeoutMs));
        return false;
    }
    Log("stopped");
    return true;
}

int TRemoteListener::SessionCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    int n = 0;
    for (const auto& s : sessions_)
        if (!s->finished) ++n;
    return n;
}

void TRemoteListener::ReapFinished() {
    std::vector<std::unique_ptr<Session>> done;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto it = sessions_.begin(); it != sessions_.end();) {
            if ((*it)->finished) {
                done.push_back(std::move(*it));
                it = sessions_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& s : done)
        if (s->thread.joinable()) s->thread.join();
}

void TRemoteListener::AcceptLoop() {
    while (!stopping_) {
        bool failed = false;
        TSocket client = listener_.Accept(wake_[0], kHousekeepingMs, &failed);
        if (stopping_) break;
        ReapFinished();
        Housekeeping();
        if (failed) {
            // Out of descriptors or a similar passing failure: give it a moment instead of spinning.
            usleep(100 * 1000);
            continue;
        }
        if (client.Valid()) Admit(std::move(client));
    }
}

std::string TRemoteListener::RefusalFor(const std::string& peerAddress) const {
    std::lock_guard<std::mutex> lock(mutex_);
    int open = 0, fromPeer = 0;
    for (const auto& s : sessions_) {
        if (s->finished) continue;
        ++open;
        fromPeer += s->peerAddress == peerAddress ? 1 : 0;
    }
    if (options_.MaxSessions > 0 && open >= options_.MaxSessions)
        return "The server is busy: " + std::to_string(open) + " sessions are open, the most it serves at once. Try again later.";
    if (options_.MaxSessionsPerPeer > 0 && fromPeer >= options_.MaxSessionsPerPeer)
        return "Too many sessions from " + peerAddress + ": " + std::to_string(fromPeer) +
               " are open, the most the server allows one address.";
    return "";
}

void TRemoteListener::Admit(TSocket client) {
    std::string peer = client.PeerName();
    std::string address = client.PeerAddress();
    if (std::string refusal = RefusalFor(address); !refusal.empty()) {
        Refuse(std::move(client), peer, refusal);
        return;
    }
    auto session = std::make_unique<Session>();
    session->number = ++served_;
    session->peer = peer;
    session->peerAddress = address;
    session->socket = std::move(client);
    Session* raw = session.get();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        sessions_.push_back(std::move(session));
    }
    raw->thread = std::thread([this, raw] { RunSession(*raw); });
}

// The refusal goes out at once; the socket stays open a moment so that the client's hello, arriving
// meanwhile, does not turn the close into a reset that would swallow the refusal.
void TRemoteListener::Refuse(TSocket client, const std::string& peer, const std::string& reason) {
    ++refused_;
    Log("refused " + peer + ": " + reason);
    try {
        client.SendAll(ErrorFrame("EOleError", reason), 0);
    } catch (const Exception&) {
        return;  // gone already
    }
    ::shutdown(client.Fd(), SHUT_WR);
    refusedSockets_.push_back({std::move(client), MonotonicMs() + kRefusalLingerMs});
}

void TRemoteListener::Housekeeping() {
    long long now = MonotonicMs();
    std::erase_if(refusedSockets_, [&](Refused& r) {
        char drain[4096];
        while (::recv(r.socket.Fd(), drain, sizeof drain, 0) > 0) {}
        return now >= r.closeAt;
    });
    // A client that left while its call runs: the call's work is cancelled.
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& s : sessions_) {
        if (s->finished || !s->inCall || s->cancel.Cancelled()) continue;
        pollfd p{s->socket.Fd(), POLLRDHUP, 0};
        if (poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR)))
            s->cancel.Cancel("the client closed the connection");
    }
}

void TRemoteListener::RunSession(Session& session) {
    TCallCancel::SetCurrent(&session.cancel);
    std::string reason = "ended";
    try {
        Serve(session);
        reason = "client closed the connection";
    } catch (const ERemoteProtocolError& e) {
        reason = e.Message();
    } catch (const ESocketConnectionError& e) {
        reason = "connection error: " + e.Message();
    } catch (const std::exception& e) {
        reason = std::string("unexpected failure: ") + e.what();
    }
    // The objects die on the thread that used them.
    try {
        session.objects.clear();
        session.ids.clear();
    } catch (...) {
        reason += " (an object failed while closing)";
    }
    TCallCancel::SetCurrent(nullptr);
    if (stopping_) reason = "server stopping";
    Log(session.Prefix() + "closed: " + reason);
    std::lock_guard<std::mutex> lock(mutex_);
    session.socket.Close();
    session.finished = true;
}

// Reads the next request; false when the client closed between frames. A client that stays silent past
// waitMs is told why the session ends.
bool TRemoteListener::ReadRequest(Session& session, std::string& payload, int waitMs, const char* waiting) {
    if (payload.capacity() > kKeptBuffer) std::string().swap(payload);
    switch (session.socket.ReadFrame(payload, options_.MaxFrame, waitMs, options_.FrameTimeoutMs)) {
        case TSocket::ReadStatus::Frame: return true;
        case TSocket::ReadStatus::Closed: return false;
        case TSocket::ReadStatus::TimedOut: {
            std::string why = std::string("no ") + waiting + " within " + Seconds(waitMs);
            try {
                session.socket.SendAll(ErrorFrame("ESocketConnectionError", "The server closed the session: " + why), 1000);
            } catch (const Exception&) {}
            throw ERemoteProtocolError(why);
        }
        case TSocket::ReadStatus::TooLarge:
            throw ERemoteProtocolError("frame of " + payload + " bytes exceeds the limit of " +
                                       std::to_string(options_.MaxFrame) + " bytes");
    }
    return false;
}

void TRemoteListener::Serve(Session& session) {
    std::string payload;
    if (options_.Tls) session.socket.StartTls(*options_.Tls, "", options_.HelloTimeoutMs);

    // Hello: which server the client wants.
    if (!ReadRequest(session, payload, options_.HelloTimeoutMs, "hello")) return;
    std::string progId;
    std::optional<TRemoteIdentity> client;
    {
        TWireReader in(payload, nullptr, options_.MaxValues);
        if (in.Message() != TRemoteMessage::Hello)
            throw ERemoteProtocolError("malformed frame: the first message must be a hello");
        std::uint32_t version = in.U32();
        progId = in.Str();
        if (version != kRemoteProtocolVersion) {
            session.socket.SendAll(ErrorFrame("EOleError", "protocol version " + std::to_string(version) + " is not supported"),
                                   10000);
            throw ERemoteProtocolError("protocol version " + std::to_string(version) + " refused");
        }
        client = Admission(session, in, progId);
        if (!client) return;
    }
    try {
        DispatchPtr object = options_.CreateObject(progId, *client);
        if (!object) throw EOleError("Cannot create " + progId);
        session.Add(object);
    } catch (const Exception& e) {
        TWireWriter out;
        WriteError(out, e.ClassName(), e.Message());
        session.socket.SendAll(out.Frame(), 10000);
        Log(session.Prefix() + "refused " + progId + ": " + e.Message());
        return;
    }
    {
        TWireWriter out;
        out.Message(TRemoteMessage::Welcome);
        out.U64(1);
        out.Str(client->How == TRemoteIdentity::By::Password ? session.serverSignature : std::string());
        out.Str(client->Ticket);
        out.Str(client->User);
        session.socket.SendAll(out.Frame(), 10000);
    }
    const char* how = client->How == TRemoteIdentity::By::Password ? " (password)"
                      : client->How == TRemoteIdentity::By::Ticket ? " (ticket)"
                                                                   : " (trusted address)";
    Log(session.Prefix() + "opened for " + progId + (client->User.empty() ? std::string() : " as " + client->User) +
        (options_.Gate ? how : ""));

    int idleMs = options_.IdleTimeoutMs > 0 ? options_.IdleTimeoutMs : -1;
    while (ReadRequest(session, payload, idleMs, "call")) {
        TWireReader in(payload, &session, options_.MaxValues);
        TRemoteMessage kind = in.Message();
        if (kind == TRemoteMessage::Release) {
            std::uint64_t id = in.U64();
            in.ExpectEnd();
            session.Release(id);
            continue;
        }
        if (kind != TRemoteMessage::Call)
            throw ERemoteProtocolError("malformed frame: unexpected message kind " + std::to_string(static_cast<int>(kind)));

        std::uint64_t id = in.U64();
        std::string member = in.Str();
        std::uint8_t invokeKind = in.U8();
        if (invokeKind > static_cast<std::uint8_t>(InvokeKind::PropertyPut))
            throw ERemoteProtocolError("malformed frame: invoke kind " + std::to_string(invokeKind));
        std::uint32_t count = in.U32();
        // Each argument takes two bytes at least.
        if (count > payload.size() / 2) throw ERemoteProtocolError("malformed frame: " + std::to_string(count) + " arguments");

        std::vector<Variant> slots(count);
        std::vector<bool> byRef(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint8_t flag = in.U8();
            if (flag > 1) throw ERemoteProtocolError("malformed frame: by-reference flag " + std::to_string(flag));
            byRef[i] = flag == 1;
            slots[i] = in.Value();
        }
        in.ExpectEnd();

        // From here on a failure is the call's, answered as an error; the session goes on.
        TWireWriter out(&session);
        session.inCall = true;
        try {
            DispatchPtr target = session.ImportObject(id);
            VarArgs args(count);
            for (std::uint32_t i = 0; i < count; ++i) args[i] = byRef[i] ? Variant::Ref(&slots[i]) : slots[i];
            Variant result = target->Invoke(member, static_cast<InvokeKind>(invokeKind), args);
            out.Message(TRemoteMessage::Result);
            out.Value(result);
            std::uint32_t written = 0;
            for (bool r : byRef) written += r ? 1 : 0;
            out.U32(written);
            for (std::uint32_t i = 0; i < count; ++i) {
                if (!byRef[i]) continue;
                out.U32(i);
                out.Value(slots[i]);
            }
        } catch (const Exception& e) {
            out = TWireWriter(&session);
            WriteError(out, e.ClassName(), e.Message());
        } catch (const std::exception& e) {
            out = TWireWriter(&session);
            WriteError(out, "Exception", e.what());
        }
        session.inCall = false;
        if (session.cancel.Cancelled()) throw ERemoteProtocolError("call cancelled: " + session.cancel.Reason());
        session.socket.SendAll(out.Frame(), 60000);
    }
}

void TRemoteListener::RefuseHello(Session& session, const std::string& message, const std::string& logged) {
    Log(session.Prefix() + "refused: " + logged);
    session.socket.SendAll(ErrorFrame("EOleError", message), 10000);
}

std::optional<TRemoteIdentity> TRemoteListener::Admission(Session& session, TWireReader& hello, const std::string& progId) {
    TRemoteProof proof = hello.AtEnd() ? TRemoteProof::None : static_cast<TRemoteProof>(hello.U8());
    TRemoteIdentity client;
    switch (proof) {
        case TRemoteProof::None: {
            hello.ExpectEnd();
            if (!options_.Gate || options_.Gate->Trusts(session.peerAddress)) return client;
            RefuseHello(session, "The server asks for a user and password", "no user or ticket given");
            return std::nullopt;
        }
        case TRemoteProof::Ticket: {
            std::string ticket = hello.Str();
            hello.ExpectEnd();
            std::optional<std::string> user = options_.Gate ? options_.Gate->TicketUser(ticket) : std::nullopt;
            if (!user) {
                RefuseHello(session, "The session ticket is not valid (the server may have restarted): log in again",
                            "unknown ticket");
                return std::nullopt;
            }
            client.How = TRemoteIdentity::By::Ticket;
            client.User = *user;
            return client;
        }
        case TRemoteProof::Password: break;
        default: throw ERemoteProtocolError("malformed frame: proof kind " + std::to_string(static_cast<int>(proof)));
    }

    std::string user = hello.Str();
    std::string clientNonce = hello.Str();
    hello.ExpectEnd();
    if (clientNonce.size() < 16 || clientNonce.size() > 256) throw ERemoteProtocolError("malformed frame: client nonce");
    if (!options_.Gate) {
        // Nothing to check the password against: the client is served as anyone would be.
        RefuseHello(session, "This server does not check passwords", "password login without a user list");
        return std::nullopt;
    }
    TRemoteGate& gate = *options_.Gate;
    if (long long wait = gate.WaitBeforeTry(user); wait > 0) {
        RefuseHello(session, TRemoteGate::WaitText(wait), "user " + user + " must wait after repeated wrong passwords");
        return std::nullopt;
    }
    std::string storedId;
    TScramVerifier verifier = gate.Verifier(user, storedId);
    std::string serverNonce = RandomBytes(24);
    {
        TWireWriter challenge;
        challenge.Message(TRemoteMessage::Challenge);
        challenge.Str(verifier.Salt);
        challenge.U32(static_cast<std::uint32_t>(verifier.Iterations));
        challenge.Str(serverNonce);
        session.socket.SendAll(challenge.Frame(), 10000);
    }
    std::string payload;
    if (!ReadRequest(session, payload, options_.HelloTimeoutMs, "proof")) return std::nullopt;
    TWireReader in(payload, nullptr, options_.MaxValues);
    if (in.Message() != TRemoteMessage::Proof) throw ERemoteProtocolError("malformed frame: a proof must follow the challenge");
    std::string clientProof = in.Str();
    in.ExpectEnd();
    std::string message = ScramAuthMessage(user, clientNonce, serverNonce, verifier.Salt, verifier.Iterations, progId);
    if (storedId.empty() || !ScramProofValid(verifier, message, clientProof)) {
        gate.Failed(user);
        RefuseHello(session, TRemoteGate::WrongPasswordText(),
                    storedId.empty() ? "unknown user " + user : "wrong password for " + user);
        return std::nullopt;
    }
    gate.Succeeded(user);
    session.serverSignature = ScramServerSignature(verifier, message);
    client.How = TRemoteIdentity::By::Password;
    client.User = storedId;
    client.Ticket = gate.IssueTicket(storedId);
    return client;
}
