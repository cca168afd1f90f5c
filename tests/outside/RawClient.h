#pragma once
// A client that speaks the wire protocol by hand, from a chosen loopback address, for the tests that
// misbehave on purpose (half frames, silence, floods) or look at answers byte for byte.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <fstream>
#include <string>

#include "toolkit/com/RemoteProtocol.h"
#include "toolkit/com/RemoteSocket.h"

class RawClient {
public:
    // Connects from `from` (a 127.x.y.z address) to the daemon; Valid() tells whether it did.
    RawClient(const std::string& to, int port, const std::string& from = "127.0.0.1") {
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        inet_pton(AF_INET, from.c_str(), &local.sin_addr);
        sockaddr_in remote{};
        remote.sin_family = AF_INET;
        remote.sin_port = htons(static_cast<std::uint16_t>(port));
        inet_pton(AF_INET, to.c_str(), &remote.sin_addr);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
            ::connect(fd, reinterpret_cast<sockaddr*>(&remote), sizeof remote) != 0) {
            ::close(fd);
            return;
        }
        socket_ = TSocket(fd);
    }
    bool Valid() const { return socket_.Valid(); }
    TSocket& Socket() { return socket_; }

    void Send(const std::string& bytes) { socket_.SendAll(bytes, 5000); }
    void Hello(const std::string& server = "Nexor01S.Class1") {
        TWireWriter hello;
        hello.Message(TRemoteMessage::Hello);
        hello.U32(kRemoteProtocolVersion);
        hello.Str(server);
        Send(hello.Frame());
    }
    // A call on the session's object with the given arguments (by value).
    void Call(const std::string& member, const std::vector<Variant>& args) {
        TWireWriter call;
        call.Message(TRemoteMessage::Call);
        call.U64(1);
        call.Str(member);
        call.U8(static_cast<std::uint8_t>(InvokeKind::Method));
        call.U32(static_cast<std::uint32_t>(args.size()));
        for (const Variant& a : args) {
            call.U8(0);
            call.Value(a);
        }
        Send(call.Frame());
    }

    // The next answer: "welcome", "result", "error: <message>", "closed" or "timeout".
    std::string Answer(int timeoutMs = 5000) {
        std::string payload;
        try {
            switch (socket_.ReadFrame(payload, kDefaultMaxAnswer, timeoutMs)) {
                case TSocket::ReadStatus::Closed: return "closed";
                case TSocket::ReadStatus::TimedOut: return "timeout";
                case TSocket::ReadStatus::TooLarge: return "too large";
                case TSocket::ReadStatus::Frame: break;
            }
        } catch (const Exception&) {
            return "closed";
        }
        TWireReader in(payload);
        switch (in.Message()) {
            case TRemoteMessage::Welcome: return "welcome";
            case TRemoteMessage::Result: {
                result_ = in.Value();
                return "result";
            }
            case TRemoteMessage::Error: {
                in.Str();
                return "error: " + in.Str();
            }
            default: return "other";
        }
    }
    const Variant& Result() const { return result_; }

private:
    TSocket socket_;
    Variant result_;
};

// Resident memory of a process in KiB (0 when it cannot be read).
inline long long ResidentKiB(int pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + 6);
    return 0;
}
