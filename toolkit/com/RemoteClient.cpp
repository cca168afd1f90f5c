#include "toolkit/com/RemoteClient.h"

#include <vector>

#include "toolkit/com/Scram.h"
#include "toolkit/com/TlsContext.h"

namespace {
[[noreturn]] void FailConnect(const TRemoteEndpoint& endpoint, const std::string& reason) {
    throw ESocketConnectionError(ConnectErrorText(endpoint.Address, endpoint.Port, reason));
}
}  // namespace

TRemoteSession::TRemoteSession(TRemoteEndpoint endpoint) : endpoint_(std::move(endpoint)) {}

TRemoteSession::~TRemoteSession() = default;

std::shared_ptr<TRemoteSession> TRemoteSession::Open(const TRemoteEndpoint& endpoint) {
    auto fail = [&](const std::string& reason) { FailConnect(endpoint, reason); };
    if (endpoint.Address.empty()) fail("no address given");
    if (endpoint.Port <= 0 || endpoint.Port > 65535) fail("invalid port");
    if (endpoint.ServerName.empty()) fail("no server name given");

    TRemoteEndpoint kept = endpoint;
    kept.Password.clear();
    std::shared_ptr<TRemoteSession> session(new TRemoteSession(kept));
    session->pendingPassword_ = endpoint.Password;
    long long deadline = MonotonicMs() + std::max(0, endpoint.ConnectTimeoutMs);
    try {
        session->socket_ = TSocket::Connect(endpoint.Address, endpoint.Port, endpoint.ConnectTimeoutMs);
        if (!endpoint.TlsCaFile.empty())
            session->socket_.StartTls(*TTlsContext::Client(endpoint.TlsCaFile), endpoint.Address,
                                      static_cast<int>(std::max(0LL, deadline - MonotonicMs())));
        TWireWriter hello;
        hello.Message(TRemoteMessage::Hello);
        hello.U32(kRemoteProtocolVersion);
        hello.Str(endpoint.ServerName);
        std::string clientNonce;
        if (!endpoint.Ticket.empty()) {
            hello.U8(static_cast<std::uint8_t>(TRemoteProof::Ticket));
            hello.Str(endpoint.Ticket);
        } else if (!endpoint.User.empty()) {
            clientNonce = RandomBytes(24);
            hello.U8(static_cast<std::uint8_t>(TRemoteProof::Password));
            hello.Str(endpoint.User);
            hello.Str(clientNonce);
        }
        session->socket_.SendAll(hello.Frame(), endpoint.ConnectTimeoutMs);

        std::string payload = session->ReadHelloAnswer(deadline);
        TWireReader in(payload);
        TRemoteMessage kind = in.Message();
        std::string expectedSignature;
        if (kind == TRemoteMessage::Challenge && !clientNonce.empty()) {
            expectedSignature = session->AnswerChallenge(in, clientNonce, deadline);
            payload = session->ReadHelloAnswer(deadline);
            in = TWireReader(payload);
            kind = in.Message();
        }
        if (kind == TRemoteMessage::Error) {
            in.Str();  // the class of the server's exception: the text says it all here
            fail(in.Str());
        }
        if (kind != TRemoteMessage::Welcome) fail("unexpected answer from the server");
        session->root_ = in.U64();
        std::string signature = in.AtEnd() ? std::string() : in.Str();
        session->ticket_ = in.AtEnd() ? std::string() : in.Str();
        session->user_ = in.AtEnd() ? std::string() : in.Str();
        in.ExpectEnd();
        // A server that does not hold the user's keys cannot sign the exchange: it is not ours.
        if (!expectedSignature.empty() && !SameSecret(signature, expectedSignature))
            fail("the server could not prove that it knows the user's password");
    } catch (const ESocketConnectionError& e) {
        if (e.Message().rfind("Unable to connect", 0) == 0) throw;
        fail(e.Message());
    } catch (const ERemoteProtocolError& e) {
        fail(e.Message());
    }
    return session;
}

std::string TRemoteSession::ReadHelloAnswer(long long deadline) {
    std::string payload;
    int left = static_cast<int>(std::max(0LL, deadline - MonotonicMs()));
    switch (socket_.ReadFrame(payload, endpoint_.MaxFrame, left)) {
        case TSocket::ReadStatus::Frame: break;
        case TSocket::ReadStatus::Closed: FailConnect(endpoint_, "the server closed the connection");
        case TSocket::ReadStatus::TimedOut:
            FailConnect(endpoint_, "no answer within " + std::to_string(endpoint_.ConnectTimeoutMs) + " ms");
        case TSocket::ReadStatus::TooLarge: FailConnect(endpoint_, "oversized answer");
    }
    return payload;
}

std::string TRemoteSession::AnswerChallenge(TWireReader& challenge, const std::string& clientNonce, long long deadline) {
    std::string salt = challenge.Str();
    std::uint32_t iterations = challenge.U32();
    std::string serverNonce = challenge.Str();
    challenge.ExpectEnd();
    // Few iterations would make the proof cheap to attack: a server asking for them is refused.
    if (iterations < static_cast<std::uint32_t>(kScramMinIterations) ||
        iterations > static_cast<std::uint32_t>(kScramMaxIterations))
        FailConnect(endpoint_, "the server asked for " + std::to_string(iterations) + " password iterations");
    if (serverNonce.size() < 16) FailConnect(endpoint_, "the server's challenge is too short");
    std::string message =
        ScramAuthMessage(endpoint_.User, clientNonce, serverNonce, salt, static_cast<int>(iterations), endpoint_.ServerName);
    // endpoint_ holds no password: the caller's endpoint is read once, here.
    TScramClientResult result = ScramClientProof(pendingPassword_, salt, static_cast<int>(iterations), message);
    pendingPassword_.clear();
    TWireWriter proof;
    proof.Message(TRemoteMessage::Proof);
    proof.Str(result.Proof);
    socket_.SendAll(proof.Frame(), static_cast<int>(std::max(0LL, deadline - MonotonicMs())));
    return result.ExpectedServerSignature;
}

Variant TRemoteSession::Root() { return Variant(DispatchPtr(std::make_shared<TRemoteObject>(shared_from_this(), root_))); }

bool TRemoteSession::Active() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return socket_.Valid();
}

void TRemoteSession::Close() {
    std::lock_guard<std::mutex> lock(mutex_);
    socket_.Close();
}

void TRemoteSession::Lost(const std::string& reason) {
    socket_.Close();
    throw ESocketConnectionError(ConnectionLostText(endpoint_.Address, endpoint_.Port, reason));
}

std::uint64_t TRemoteSession::ExportObject(const DispatchPtr& object) {
    auto* proxy = dynamic_cast<TRemoteObject*>(object.get());
    if (!proxy || proxy->Session() != this)
        throw EOleError("An automation object of this process cannot be passed to a remote server");
    return proxy->Id();
}

DispatchPtr TRemoteSession::ImportObject(std::uint64_t id) { return std::make_shared<TRemoteObject>(shared_from_this(), id); }

std::string TRemoteSession::ReadAnswer(int timeoutMs, const char* what) {
    std::string payload;
    TSocket::ReadStatus status = TSocket::ReadStatus::Closed;
    try {
        status = socket_.ReadFrame(payload, endpoint_.MaxFrame, timeoutMs);
    } catch (const ESocketConnectionError& e) {
        Lost(e.Message());
    }
    switch (status) {
        case TSocket::ReadStatus::Frame: break;
        case TSocket::ReadStatus::Closed: Lost("the server closed the connection");
        // A late answer would be taken for the next call's: the session cannot go on.
        case TSocket::ReadStatus::TimedOut:
            Lost(std::string("no answer to ") + what + " within " + std::to_string(timeoutMs) + " ms");
        case TSocket::ReadStatus::TooLarge: Lost("answer of " + payload + " bytes exceeds the limit");
    }
    return payload;
}

Variant TRemoteSession::Invoke(std::uint64_t object, const std::string& member, InvokeKind kind, VarArgs& args) {
    TWireWriter out(this);
    out.Message(TRemoteMessage::Call);
    out.U64(object);
    out.Str(member);
    out.U8(static_cast<std::uint8_t>(kind));
    out.U32(static_cast<std::uint32_t>(args.size()));
    for (const Variant& a : args) {
        out.U8(a.IsByRef() ? 1 : 0);
        out.Value(a);
    }
    const std::string& frame = out.Frame();

    std::string payload;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!socket_.Valid())
            throw ESocketConnectionError(ConnectionLostText(endpoint_.Address, endpoint_.Port, "not connected"));
        try {
            socket_.SendAll(frame, endpoint_.CallTimeoutMs);
        } catch (const ESocketConnectionError& e) {
            Lost(e.Message());
        }
        payload = ReadAnswer(endpoint_.CallTimeoutMs, member.c_str());
    }

    // Decoded outside the lock: proxies made and dropped here send their release.
    try {
        TWireReader in(payload, this);
        TRemoteMessage answer = in.Message();
        if (answer == TRemoteMessage::Error) {
            std::string className = in.Str();
            std::string message = in.Str();
            in.ExpectEnd();
            RaiseRemoteError(className, message);
        }
        if (answer != TRemoteMessage::Result) throw ERemoteProtocolError("unexpected answer to a call");
        Variant result = in.Value();
        std::uint32_t written = in.U32();
        std::vector<std::pair<std::uint32_t, Variant>> outs;
        for (std::uint32_t i = 0; i < written; ++i) {
            std::uint32_t index = in.U32();
            if (index >= args.size() || !args[index].IsByRef())
                throw ERemoteProtocolError("written-back argument " + std::to_string(index));
            outs.emplace_back(index, in.Value());
        }
        in.ExpectEnd();
        for (auto& [index, value] : outs) args[index].Assign(value);
        return result;
    } catch (const ERemoteProtocolError& e) {
        std::lock_guard<std::mutex> lock(mutex_);
        Lost(e.Message());
    }
}

void TRemoteSession::Release(std::uint64_t object) noexcept {
    if (object == root_) return;  // the session's own object lives as long as the session
    try {
        TWireWriter out;
        out.Message(TRemoteMessage::Release);
        out.U64(object);
        std::lock_guard<std::mutex> lock(mutex_);
        if (socket_.Valid()) socket_.SendAll(out.Frame(), endpoint_.CallTimeoutMs);
    } catch (...) {
        // The connection is gone: the server drops the session's objects with it.
    }
}

TRemoteObject::~TRemoteObject() { session_->Release(id_); }

Variant TRemoteObject::Invoke(const std::string& member, InvokeKind kind, VarArgs& args) {
    return session_->Invoke(id_, member, kind, args);
}
