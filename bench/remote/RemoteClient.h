#pragma once
// A client of the documents over the socket connection to a nexord daemon, as the remote benchmarks
// drive it: the header dataset (pvdMain) with its nested body.
#include <string>

#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/SocketConnection.h"

class TRemoteClient {
public:
    static constexpr int kPacket = 20;

    // Connects as the demo user running Tdef05; raises Exception when the daemon refuses.
    TRemoteClient(const std::string& address, int port);
    // Opens every document in packets of 20 and shows the first packet's codes and names, as the
    // in-process benchmark does; "" on success, else what went wrong.
    std::string OpenFirstPacket();
    // Opens an empty header and types a new document with its lines (not saved yet).
    void PrepareDocument(const std::string& key, int lines);
    // Saves what was typed; "" on success, else the server's refusal.
    std::string Save();

private:
    void Request(const std::string& condition);

    TSocketConnection connection_;
    TClientDataSet main_, body_;
    std::string refusal_, condition_;
    bool requested_ = false;
    std::size_t shown_ = 0;
};
