#pragma once
// A TCP socket for the remote automation frames: connect with a time-out, listen, and whole frames
// sent and received against a deadline, in the clear or under TLS (StartTls). Failures raise
// ESocketConnectionError with the reason only; callers add the address.
#include <cstddef>
#include <string>

struct ssl_st;
class TTlsContext;

class TSocket {
public:
    TSocket() = default;
    explicit TSocket(int fd) : fd_(fd) {}
    TSocket(TSocket&& other) noexcept : fd_(other.fd_), tls_(other.tls_) {
        other.fd_ = -1;
        other.tls_ = nullptr;
    }
    TSocket& operator=(TSocket&& other) noexcept;
    TSocket(const TSocket&) = delete;
    TSocket& operator=(const TSocket&) = delete;
    ~TSocket() { Close(); }

    // Connects to an IPv4 address or host name; timeoutMs bounds name lookup and connect together.
    static TSocket Connect(const std::string& address, int port, int timeoutMs);
    // Binds and listens (address "" or "0.0.0.0" = every interface; port 0 = any free port).
    static TSocket Listen(const std::string& address, int port);

    int Fd() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    void Close();
    void Shutdown();  // wakes a thread blocked on this socket; the descriptor stays open
    // Gives up the descriptor (a TLS session on it is ended).
    int Release();

    // Runs the TLS handshake, as the server or as the client (which checks the server's certificate
    // against the context's CA file and the address it connected to); from then on every frame travels
    // encrypted. Raises ESocketConnectionError when the handshake fails or takes longer than timeoutMs.
    void StartTls(const TTlsContext& context, const std::string& serverAddress, int timeoutMs);
    bool Encrypted() const { return tls_ != nullptr; }

    int LocalPort() const;
    std::string PeerName() const;     // "address:port"
    std::string PeerAddress() const;  // "address"

    // Waits up to timeoutMs (< 0: as long as it takes) for a connection; an invalid socket when woken by
    // wakeFd, on time-out, or on an error (then *failed is set).
    TSocket Accept(int wakeFd, int timeoutMs = -1, bool* failed = nullptr) const;

    // Sends the bytes; timeoutMs < 0 waits as long as it takes.
    void SendAll(const std::string& bytes, int timeoutMs) const;

    enum class ReadStatus {
        Frame,
        Closed,
        TimedOut,
        TooLarge
    };
    // Reads one frame's payload. waitMs bounds the wait for a frame to begin (TimedOut; < 0 waits as
    // long as it takes); once its first byte is there, the whole frame must arrive within frameMs
    // (< 0: within waitMs from the call) or the read raises. The payload grows as its bytes arrive,
    // never to the announced length ahead of them. Closed: the peer closed before a frame began.
    // TooLarge: the announced length exceeds maxFrame (payload then holds the length as text). A
    // connection cut inside a frame raises.
    ReadStatus ReadFrame(std::string& payload, std::size_t maxFrame, int waitMs, int frameMs = -1) const;

private:
    int ReadExact(char* data, std::size_t n, long long deadline, bool frameStarted) const;
    // One read or write, in the clear or through TLS: the bytes moved, 0 when the peer closed, -1 when
    // the socket must first become ready for *waitFor (POLLIN or POLLOUT); raises on errors.
    long ReceiveSome(char* data, std::size_t n, short* waitFor) const;
    long SendSome(const char* data, std::size_t n, short* waitFor) const;
    void ReadBody(std::string& payload, std::size_t length, long long deadline) const;

    int fd_ = -1;
    ssl_st* tls_ = nullptr;
};

// Milliseconds on a monotonic clock, for deadlines.
long long MonotonicMs();
