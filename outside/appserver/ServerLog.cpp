#include "outside/appserver/ServerLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace {

struct LocalNow {
    std::tm tm{};
    int millis = 0;
    LocalNow() {
        auto now = std::chrono::system_clock::now();
        std::time_t t = std::chrono::system_clock::to_time_t(now);
        localtime_r(&t, &tm);
        millis = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    }
    std::string Format(const char* pattern) const {
        char buf[64];
        std::strftime(buf, sizeof buf, pattern, &tm);
        return buf;
    }
};

}  // namespace

std::string ServerDateText() { return LocalNow().Format("%Y%m%d"); }

std::string ServerStampText() {
    LocalNow now;
    char ms[8];
    std::snprintf(ms, sizeof ms, "%03d", now.millis);
    return now.Format("%Y%m%d%H%M%S") + ms;
}

void WriteServerLog(const std::string& folder, const std::string& text) {
    try {
        LocalNow now;
        std::filesystem::path dir = std::filesystem::path(folder.empty() ? "." : folder) / "Log";
        std::filesystem::create_directories(dir);
        std::ofstream out(dir / ("Nexor01S_" + now.Format("%Y%m%d") + ".log"), std::ios::app);
        out << "[" << now.Format("%Y/%m/%d %H:%M:%S") << "] " << text << "\n";
    } catch (...) {
        // Logging must never break a call.
    }
}
