#pragma once
// Who may open a session with a listener (RemoteListener.h), decided in the hello before anything
// else is answered. A client proves a user's password (Scram.h) or presents a ticket this server issued
// at an earlier password login; clients from a loopback address may be trusted without either when so
// configured. Five wrong passwords in a row for one user make further tries for that user wait.
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "toolkit/com/Scram.h"

struct TRemoteIdentity {
    enum class By {
        Trust,
        Password,
        Ticket
    };
    By How = By::Trust;
    std::string User;    // as the server's user list spells it; "" when trusted
    std::string Ticket;  // issued for a password login; "" otherwise
};

struct TRemoteGateOptions {
    bool TrustLoopback = false;
    // The verifier of a user and the user id as stored (ids compare without regard to case);
    // nothing when there is no such user or the user has no password.
    std::function<std::optional<TScramVerifier>(const std::string& user, std::string& storedId)> FindUser;
    int FailuresBeforeDelay = 5;
    int DelayMs = 30000;  // how long tries wait after that many failures
    long long TicketLifetimeMs = 12LL * 3600 * 1000;
};

class TRemoteGate {
public:
    explicit TRemoteGate(TRemoteGateOptions options);

    bool Trusts(const std::string& peerAddress) const;
    // Milliseconds the user must still wait before a try is checked; 0 when a try may be made now.
    long long WaitBeforeTry(const std::string& user) const;
    // The user's verifier, or, for an unknown user, a stand-in that no password fits, so that an
    // unknown user cannot be told from a wrong password.
    TScramVerifier Verifier(const std::string& user, std::string& storedId) const;
    void Failed(const std::string& user);
    void Succeeded(const std::string& user);

    std::string IssueTicket(const std::string& user);
    // The user a ticket was issued for; nothing for an unknown or expired ticket.
    std::optional<std::string> TicketUser(const std::string& ticket);

    // The text a refused client reads.
    static std::string WrongPasswordText();
    static std::string WaitText(long long waitMs);

private:
    struct Failures {
        int inARow = 0;
        long long lastMs = 0;
    };
    struct Ticket {
        std::string user;
        long long expiresMs = 0;
    };
    static std::string Key(const std::string& user);

    TRemoteGateOptions options_;
    std::string secret_;  // makes the stand-in verifiers of unknown users
    mutable std::mutex mutex_;
    std::map<std::string, Failures> failures_;
    std::map<std::string, Ticket> tickets_;
};
