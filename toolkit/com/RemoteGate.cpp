#include "toolkit/com/RemoteGate.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>

#include "toolkit/com/RemoteSocket.h"

namespace {
constexpr std::size_t kTicketBytes = 32;
}  // namespace

TRemoteGate::TRemoteGate(TRemoteGateOptions options) : options_(std::move(options)), secret_(RandomBytes(32)) {}

bool TRemoteGate::Trusts(const std::string& peerAddress) const {
    if (!options_.TrustLoopback) return false;
    in_addr address{};
    if (inet_pton(AF_INET, peerAddress.c_str(), &address) == 1) return (ntohl(address.s_addr) >> 24) == 127;
    return peerAddress == "::1";
}

std::string TRemoteGate::Key(const std::string& user) {
    std::string key = user;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return key;
}

long long TRemoteGate::WaitBeforeTry(const std::string& user) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = failures_.find(Key(user));
    if (found == failures_.end() || found->second.inARow < options_.FailuresBeforeDelay) return 0;
    long long until = found->second.lastMs + options_.DelayMs;
    return std::max(0LL, until - MonotonicMs());
}

TScramVerifier TRemoteGate::Verifier(const std::string& user, std::string& storedId) const {
    if (options_.FindUser)
        if (std::optional<TScramVerifier> found = options_.FindUser(user, storedId)) return *found;
    storedId.clear();
    // The same salt for the same name every time, like a real user's; keys that no proof matches.
    TScramVerifier decoy;
    decoy.Salt = ScramServerSignature({{}, 0, {}, secret_}, "salt:" + Key(user)).substr(0, 16);
    decoy.Iterations = kScramIterations;
    decoy.StoredKey = RandomBytes(32);
    decoy.ServerKey = RandomBytes(32);
    return decoy;
}

void TRemoteGate::Failed(const std::string& user) {
    std::lock_guard<std::mutex> lock(mutex_);
    Failures& f = failures_[Key(user)];
    ++f.inARow;
    f.lastMs = MonotonicMs();
}

void TRemoteGate::Succeeded(const std::string& user) {
    std::lock_guard<std::mutex> lock(mutex_);
    failures_.erase(Key(user));
}

std::string TRemoteGate::IssueTicket(const std::string& user) {
    std::string ticket = HexText(RandomBytes(kTicketBytes));
    long long now = MonotonicMs();
    std::lock_guard<std::mutex> lock(mutex_);
    std::erase_if(tickets_, [now](const auto& entry) { return entry.second.expiresMs <= now; });
    tickets_[ticket] = {user, now + options_.TicketLifetimeMs};
    return ticket;
}

std::optional<std::string> TRemoteGate::TicketUser(const std::string& ticket) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = tickets_.find(ticket);
    if (found == tickets_.end()) return std::nullopt;
    if (found->second.expiresMs <= MonotonicMs()) {
        tickets_.erase(found);
        return std::nullopt;
    }
    return found->second.user;
}

std::string TRemoteGate::WrongPasswordText() { return "用户或密码不正确"; }

std::string TRemoteGate::WaitText(long long waitMs) {
    return "密码连续输错次数过多，请 " + std::to_string((waitMs + 999) / 1000) + " 秒后再试";
}
