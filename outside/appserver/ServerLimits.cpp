#include "outside/appserver/ServerLimits.h"

namespace {
std::string Duration(int ms) { return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms"; }
}  // namespace

ServerLimits& Limits() {
    static ServerLimits limits;
    return limits;
}

std::string ServerLimits::StatementTooLong() const {
    return "The statement was stopped: it ran longer than the server's statement time limit (" + Duration(statementMs) + ")";
}

std::string ServerLimits::TooManyRows() const {
    return "The answer holds more than " + std::to_string(maxRows) + " rows, the server's row limit per answer: narrow the query";
}

std::string ServerLimits::LockedTooLong() const {
    return "The database stayed locked by another session longer than the server waits (" + Duration(busyMs) + "): try again";
}

std::string ServerLimits::ValueTooLarge() const {
    return "A text or binary value exceeds the server's value limit (" + std::to_string(maxValueBytes / (1024 * 1024)) + " MiB)";
}
