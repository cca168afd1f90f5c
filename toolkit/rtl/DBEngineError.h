#pragma once
// A database-engine failure that carries several coded entries (the engine's error stack), for
// data access that reports more than one reason at once. The message is the first entry's.
#include <string>
#include <utility>
#include <vector>

#include "toolkit/rtl/Exception.h"

struct DBEngineErrorEntry {
    int code = 0;
    std::string message;
};

class EDBEngineError : public EDatabaseError {
public:
    explicit EDBEngineError(std::vector<DBEngineErrorEntry> entries)
        : EDatabaseError(entries.empty() ? std::string() : entries.front().message), entries_(std::move(entries)) {}
    EDBEngineError(int code, std::string message) : EDBEngineError(std::vector<DBEngineErrorEntry>{{code, std::move(message)}}) {}

    const char* ClassName() const noexcept override { return "EDBEngineError"; }
    int ErrorCount() const noexcept { return static_cast<int>(entries_.size()); }
    const std::vector<DBEngineErrorEntry>& Errors() const noexcept { return entries_; }

private:
    std::vector<DBEngineErrorEntry> entries_;
};
