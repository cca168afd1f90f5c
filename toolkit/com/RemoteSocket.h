#pragma once
// A TCP socket for the remote automation frames: connect with a time-out, listen, and whole frames
// sent and received against a deadline. Failures raise ESocketConnectionError with the reason only;
// callers add the address.
#include <cstddef>
#include <string>

class TSocket {
public:
    TSocket() = default;
    explicit TSocket(int fd) : fd_(fd) {}
    TSocket(TSocket&& other) noexcept : fd_(other.Release()) {}
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
    void Shutdown();   // wakes a thread blocked on this socket; the descriptor stays open
    int Release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

    int LocalPort() const;
    std::string PeerName() const;      // "address:port"
    std::string PeerAddress() const;   // "address"

    // Waits up to timeoutMs (< 0: as long as it takes) for a connection; an invalid socket when woken by
    // wakeFd, on time-out, or on an error (then *failed is set).
    TSocket Accept(int wakeFd, int timeoutMs = -1, bool* failed = nullptr) const;

    // Sends the bytes; timeoutMs < 0 waits as long as it takes.
    void SendAll(const std::string& bytes, int timeoutMs) const;

    enum class ReadStatus { Frame, Closed, TimedOut, TooLarge };
    // Reads one frame's payload. waitMs bounds the wait for a frame to begin (TimedOut; < 0 waits as
    // long as it takes); once its first byte is there, the whole frame must arrive within frameMs
    // (< 0: within waitMs from the call) or the read raises. The payload grows as its bytes arrive,
    // never to the announced length ahead of them. Closed: the peer closed before a frame began.
    // TooLarge: the announced length exceeds maxFrame (payload then holds the length as text). A
    // connection cut inside a frame raises.
    ReadStatus ReadFrame(std::string& payload, std::size_t maxFrame, int waitMs, int frameMs = -1) const;

private:
    int ReadExact(char* data, std::size_t n, long long deadline, bool frameStarted) const;
    void ReadBody(std::string& payload, std::size_t length, long long deadline) const;

    int fd_ = -1;
};

// Milliseconds on a monotonic clock, for deadlines.
long long MonotonicMs();
