#include "toolkit/com/RemoteSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <utility>

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include "toolkit/com/TlsContext.h"
#include "toolkit/rtl/Exception.h"

namespace {

[[noreturn]] void Fail(const std::string& reason) { throw ESocketConnectionError(reason); }

std::string ErrnoText(int error) { return std::strerror(error); }

void SetNonBlocking(int fd) {
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) Fail(ErrnoText(errno));
}

// Small request/response messages must not wait for more data to fill a segment.
void SetNoDelay(int fd) {
    int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

int RemainingMs(long long deadline) {
    if (deadline < 0) return -1;
    long long left = deadline - MonotonicMs();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

// Waits until the socket is ready; false on time-out.
bool WaitFor(int fd, short events, long long deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        int rc = poll(&p, 1, RemainingMs(deadline));
        if (rc > 0) return true;
        if (rc == 0) return false;
        if (errno != EINTR) Fail(ErrnoText(errno));
    }
}

struct AddrInfoDeleter {
    void operator()(addrinfo* a) const { freeaddrinfo(a); }
};
using AddrInfoPtr = std::unique_ptr<addrinfo, AddrInfoDeleter>;

AddrInfoPtr Resolve(const std::string& address, int port, bool passive) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    if (passive) hints.ai_flags = AI_PASSIVE;
    addrinfo* found = nullptr;
    std::string service = std::to_string(port);
    int rc = getaddrinfo(address.empty() ? nullptr : address.c_str(), service.c_str(), &hints, &found);
    if (rc != 0) Fail(gai_strerror(rc));
    return AddrInfoPtr(found);
}

// Opens a socket for each resolved address in turn and hands it to setUp, which returns why that
// address failed ("" when the socket is ready). The first ready socket wins; when none is, the last
// failure is raised.
template <class SetUp>
TSocket FirstUsable(const AddrInfoPtr& list, SetUp setUp) {
    std::string lastError = "no usable address";
    for (addrinfo* a = list.get(); a; a = a->ai_next) {
        TSocket s(::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol));
        if (!s.Valid()) {
            lastError = ErrnoText(errno);
            continue;
        }
        std::string error = setUp(s.Fd(), *a);
        if (error.empty()) return s;
        lastError = error;
    }
    Fail(lastError);
}

}  // namespace

long long MonotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TSocket& TSocket::operator=(TSocket&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        tls_ = std::exchange(other.tls_, nullptr);
    }
    return *this;
}

void TSocket::Close() {
    if (tls_) {
        SSL_free(tls_);
        tls_ = nullptr;
    }
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

int TSocket::Release() {
    if (tls_) {
        SSL_free(tls_);
        tls_ = nullptr;
    }
    int fd = fd_;
    fd_ = -1;
    return fd;
}

void TSocket::StartTls(const TTlsContext& context, const std::string& serverAddress, int timeoutMs) {
    if (tls_) return;
    long long deadline = timeoutMs < 0 ? -1 : MonotonicMs() + timeoutMs;
    tls_ = SSL_new(context.Handle());
    if (!tls_ || SSL_set_fd(tls_, fd_) != 1) Fail("cannot start TLS: " + TlsErrorText());
    if (context.IsServer()) {
        SSL_set_accept_state(tls_);
    } else {
        SSL_set_connect_state(tls_);
        in6_addr numeric{};
        bool isAddress =
            inet_pton(AF_INET, serverAddress.c_str(), &numeric) == 1 || inet_pton(AF_INET6, serverAddress.c_str(), &numeric) == 1;
        X509_VERIFY_PARAM* param = SSL_get0_param(tls_);
        if (isAddress ? X509_VERIFY_PARAM_set1_ip_asc(param, serverAddress.c_str()) != 1
                      : SSL_set1_host(tls_, serverAddress.c_str()) != 1)
            Fail("cannot check the server's name " + serverAddress);
        if (!isAddress) SSL_set_tlsext_host_name(tls_, serverAddress.c_str());
    }
    for (;;) {
        ERR_clear_error();
        int rc = SSL_do_handshake(tls_);
        if (rc == 1) return;
        int error = SSL_get_error(tls_, rc);
        short events = error == SSL_ERROR_WANT_READ ? POLLIN : error == SSL_ERROR_WANT_WRITE ? POLLOUT : 0;
        if (events == 0) {
            std::string reason = TlsErrorText();
            long verify = SSL_get_verify_result(tls_);
            if (verify != X509_V_OK)
                reason = std::string("the server's certificate is not trusted: ") + X509_verify_cert_error_string(verify);
            Fail("TLS handshake failed" + (reason.empty() ? std::string(" (the peer does not speak TLS?)") : ": " + reason));
        }
        if (!WaitFor(fd_, events, deadline)) Fail("TLS handshake timed out after " + std::to_string(timeoutMs) + " ms");
    }
}

long TSocket::ReceiveSome(char* data, std::size_t n, short* waitFor) const {
    *waitFor = POLLIN;
    if (!tls_) {
        for (;;) {
            ssize_t r = ::recv(fd_, data, n, 0);
            if (r >= 0) return static_cast<long>(r);
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) return -1;
            Fail(ErrnoText(errno));
        }
    }
    std::size_t got = 0;
    ERR_clear_error();
    if (SSL_read_ex(tls_, data, n, &got) == 1) return static_cast<long>(got);
    switch (SSL_get_error(tls_, 0)) {
        case SSL_ERROR_ZERO_RETURN: return 0;
        case SSL_ERROR_WANT_READ: return -1;
        case SSL_ERROR_WANT_WRITE: *waitFor = POLLOUT; return -1;
        case SSL_ERROR_SYSCALL:
            if (errno == EINTR) return -1;
            Fail(errno != 0 ? ErrnoText(errno) : "connection closed");
        default: Fail("TLS error: " + TlsErrorText());
    }
}

long TSocket::SendSome(const char* data, std::size_t n, short* waitFor) const {
    *waitFor = POLLOUT;
    if (!tls_) {
        for (;;) {
            ssize_t r = ::send(fd_, data, n, MSG_NOSIGNAL);
            if (r > 0) return static_cast<long>(r);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return -1;
            Fail(r < 0 ? ErrnoText(errno) : "connection closed");
        }
    }
    std::size_t sent = 0;
    ERR_clear_error();
    if (SSL_write_ex(tls_, data, n, &sent) == 1) return static_cast<long>(sent);
    switch (SSL_get_error(tls_, 0)) {
        case SSL_ERROR_WANT_WRITE: return -1;
        case SSL_ERROR_WANT_READ: *waitFor = POLLIN; return -1;
        case SSL_ERROR_SYSCALL:
            if (errno == EINTR) return -1;
            Fail(errno != 0 ? ErrnoText(errno) : "connection closed");
        default: Fail("TLS error: " + TlsErrorText());
    }
}

void TSocket::Shutdown() {
    if (fd_ >= 0) ::shutdown(fd_, SHUT_RDWR);
}

TSocket TSocket::Connect(const std::string& address, int port, int timeoutMs) {
    long long deadline = timeoutMs < 0 ? -1 : MonotonicMs() + timeoutMs;
    return FirstUsable(Resolve(address, port, false), [&](int fd, const addrinfo& a) -> std::string {
        SetNonBlocking(fd);
        if (::connect(fd, a.ai_addr, a.ai_addrlen) != 0) {
            if (errno != EINPROGRESS) return ErrnoText(errno);
            if (!WaitFor(fd, POLLOUT, deadline)) Fail("no answer within " + std::to_string(timeoutMs) + " ms");
            int error = 0;
            socklen_t len = sizeof error;
            getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len);
            if (error != 0) return ErrnoText(error);
        }
        SetNoDelay(fd);
        return {};
    });
}

TSocket TSocket::Listen(const std::string& address, int port) {
    std::string host = address == "0.0.0.0" ? std::string() : address;
    return FirstUsable(Resolve(host, port, true), [](int fd, const addrinfo& a) -> std::string {
        int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (::bind(fd, a.ai_addr, a.ai_addrlen) != 0 || ::listen(fd, 128) != 0) return ErrnoText(errno);
        SetNonBlocking(fd);
        return {};
    });
}

int TSocket::LocalPort() const {
    sockaddr_storage addr{};
    socklen_t len = sizeof addr;
    if (getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) return -1;
    if (addr.ss_family == AF_INET) return ntohs(reinterpret_cast<sockaddr_in*>(&addr)->sin_port);
    if (addr.ss_family == AF_INET6) return ntohs(reinterpret_cast<sockaddr_in6*>(&addr)->sin6_port);
    return -1;
}

namespace {
// The peer's numeric address and port; false when the socket has no peer.
bool PeerParts(int fd, std::string& host, std::string& port) {
    sockaddr_storage addr{};
    socklen_t len = sizeof addr;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) return false;
    char h[NI_MAXHOST] = "", s[NI_MAXSERV] = "";
    if (getnameinfo(reinterpret_cast<sockaddr*>(&addr), len, h, sizeof h, s, sizeof s, NI_NUMERICHOST | NI_NUMERICSERV) != 0)
        return false;
    host = h;
    port = s;
    return true;
}
}  // namespace

std::string TSocket::PeerName() const {
    std::string host, port;
    return PeerParts(fd_, host, port) ? host + ":" + port : "?";
}

std::string TSocket::PeerAddress() const {
    std::string host, port;
    return PeerParts(fd_, host, port) ? host : "?";
}

TSocket TSocket::Accept(int wakeFd, int timeoutMs, bool* failed) const {
    if (failed) *failed = false;
    long long deadline = timeoutMs < 0 ? -1 : MonotonicMs() + timeoutMs;
    for (;;) {
        pollfd p[2] = {{fd_, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        int rc = poll(p, wakeFd >= 0 ? 2 : 1, RemainingMs(deadline));
        if (rc < 0) {
            if (errno == EINTR) continue;
            if (failed) *failed = true;
            return TSocket();
        }
        if (rc == 0) return TSocket();
        if (wakeFd >= 0 && p[1].revents) return TSocket();
        int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNABORTED) continue;
            if (failed) *failed = true;
            return TSocket();
        }
        SetNoDelay(fd);
        return TSocket(fd);
    }
}

void TSocket::SendAll(const std::string& bytes, int timeoutMs) const {
    long long deadline = timeoutMs < 0 ? -1 : MonotonicMs() + timeoutMs;
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        short waitFor = 0;
        long n = SendSome(bytes.data() + sent, bytes.size() - sent, &waitFor);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (!WaitFor(fd_, waitFor, deadline)) Fail("sending timed out after " + std::to_string(timeoutMs) + " ms");
    }
}

// Reads n bytes: 1. Before anything of a frame has arrived: 0 when the peer closed, -1 when the
// deadline passed. A frame cut short raises.
int TSocket::ReadExact(char* data, std::size_t n, long long deadline, bool frameStarted) const {
    std::size_t got = 0;
    while (got < n) {
        short waitFor = 0;
        long r = ReceiveSome(data + got, n - got, &waitFor);
        if (r > 0) {
            got += static_cast<std::size_t>(r);
            frameStarted = true;
            continue;
        }
        if (r == 0) {
            if (!frameStarted) return 0;
            Fail("connection closed in the middle of a message");
        }
        if (!WaitFor(fd_, waitFor, deadline)) {
            if (!frameStarted) return -1;
            Fail("timed out in the middle of a message");
        }
    }
    return 1;
}

// Appends the body in bounded steps, each allocated only when the bytes before it have arrived: an
// announced length costs nothing until it is really sent.
void TSocket::ReadBody(std::string& payload, std::size_t length, long long deadline) const {
    constexpr std::size_t kStep = 64 * 1024;
    payload.clear();
    while (payload.size() < length) {
        std::size_t have = payload.size();
        std::size_t step = std::min(kStep, length - have);
        payload.resize(have + step);
        ReadExact(payload.data() + have, step, deadline, true);
    }
}

TSocket::ReadStatus TSocket::ReadFrame(std::string& payload, std::size_t maxFrame, int waitMs, int frameMs) const {
    long long deadline = waitMs < 0 ? -1 : MonotonicMs() + waitMs;
    unsigned char header[4];
    // The first byte opens the frame; from then on the frame's own deadline counts.
    int started = ReadExact(reinterpret_cast<char*>(header), 1, deadline, false);
    if (started <= 0) return started == 0 ? ReadStatus::Closed : ReadStatus::TimedOut;
    if (frameMs >= 0) deadline = MonotonicMs() + frameMs;
    ReadExact(reinterpret_cast<char*>(header) + 1, 3, deadline, true);
    std::size_t length = (static_cast<std::size_t>(header[0]) << 24) | (static_cast<std::size_t>(header[1]) << 16) |
                         (static_cast<std::size_t>(header[2]) << 8) | header[3];
    if (length > maxFrame) {
        payload = std::to_string(length);
        return ReadStatus::TooLarge;
    }
    ReadBody(payload, length, deadline);
    return ReadStatus::Frame;
}
