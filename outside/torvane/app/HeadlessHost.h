#pragma once
// The work center without windows: loads a program library, hands it the manager and a notification
// callback, creates, shows and closes the program and prints what the host sees (events, caption,
// connection information, messages shown). Failures are one line on the error stream and a non-zero
// exit code.
#include <cstdint>
#include <ostream>

#include "outside/torvane/app/TorvaneOptions.h"

class TDLLBaseController;

// Exit codes.
enum THeadlessExit : int {
    heOk = 0,
    heBadArguments = 2,
    heNoInstallation = 3,
    heNoLibrary = 4,
    heRefused = 5,
};

class THeadlessHost {
public:
    THeadlessHost(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    int Run(const TorvaneOptions& options);

    // The controller's callback.
    void HostNotify(std::int32_t eventCode, TDLLBaseController* sender);

private:
    int Fail(int code, const std::string& line);

    std::ostream& out_;
    std::ostream& err_;
};
