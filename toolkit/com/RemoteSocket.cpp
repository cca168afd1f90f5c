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
        fd_ = other.Release();
    }
    return *this;
}

void TSocket::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
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
        ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(fd_, POLLOUT, deadline)) Fail("sending timed out after " + std::to_string(timeoutMs) + " ms");
            continue;
        }
        Fail(n < 0 ? ErrnoText(errno) : "connection closed");
    }
}

// Reads n bytes: 1. Before anything of a frame has arrived: 0 when the peer closed, -1 when the
// deadline passed. A frame cut short raises.
int TSocket::ReadExact(char* data, std::size_t n, long long deadline, bool frameStarted) const {
    std::size_t got = 0;
    while (got < n) {
        ssize_t r = ::recv(fd_, data + got, n - got, 0);
        if (r > 0) {
            got += static_cast<std::size_t>(r);
            frameStarted = true;
            continue;
        }
        if (r == 0) {
            if (!frameStarted) return 0;
            Fail("connection closed in the middle of a message");
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) Fail(ErrnoText(errno));
        if (!WaitFor(fd_, POLLIN, deadline)) {
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
