#include "env/Log.h"

#include <cxxabi.h>
#include <cstdio>
#include <memory>
#include <typeinfo>

#include "env/Clock.h"
#include "env/VandrilKey.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/DBEngineError.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

const char* const kSeparator = "----------------------------------";

bool AppendLine(const std::string& folder, const std::string& fileName, const std::string& line) {
    const std::string logFolder = IncludeTrailingPathDelimiter(folder) + "Log";
    if (!ForceDirectories(logFolder)) return false;
    std::FILE* file = std::fopen((logFolder + "/" + fileName).c_str(), "ab");
    if (!file) return false;
    const std::string text = line + "\n";
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

std::string DatePart(TDateTime now, const std::string& period) {
    int y = 0, m = 0, d = 0;
    DecodeDate(now, y, m, d);
    char buf[32];
    if (period == "M")
        std::snprintf(buf, sizeof buf, "%.4d%.2d", y, m);
    else if (period == "Y")
        std::snprintf(buf, sizeof buf, "%.4d", y);
    else
        std::snprintf(buf, sizeof buf, "%.4d%.2d%.2d", y, m, d);
    return buf;
}

std::string AlertStamp(TDateTime now) {
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, z = 0;
    DecodeDate(now, y, m, d);
    DecodeTime(now, h, n, s, z);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.4d/%.2d/%.2d %.2d:%.2d:%.2d:%.3d", y, m, d, h, n, s, z);
    return buf;
}

std::string ClassNameOf(const std::exception& e) {
    if (const auto* ex = dynamic_cast<const Exception*>(&e)) return ex->ClassName();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status), std::free);
    return status == 0 && name ? name.get() : typeid(e).name();
}

}  // namespace

bool WriteAlert(const std::string& name, const std::string& message, const std::string& period) {
    try {
        const VandrilKeyValues key = ReadVandrilKey();
        std::string folder = !key.clientPath.empty() ? key.clientPath : key.serverPath;
        if (folder.empty()) folder = ExtractFilePath(ExecutableFileName());
        const TDateTime now = ClockNow();
        // A name is a tag, never a path: keep the file inside the log folder.
        std::string safeName = name;
        for (char& c : safeName)
            if (c == '/') c = '_';
        std::string fileName = "Alert_" + safeName + "_" + DatePart(now, period);
        if (name.find('.') == std::string::npos) fileName += ".log";
        return AppendLine(folder, fileName, "[" + AlertStamp(now) + "] " + message);
    } catch (...) {
        return false;
    }
}

bool WriteReportLine(const std::string& text) {
    try {
        std::string folder;
        try {
            const VandrilKeyValues key = ReadVandrilKey();
            folder = !key.clientPath.empty() ? key.clientPath : key.serverPath;
        } catch (...) {
            folder.clear();
        }
        if (folder.empty()) folder = TempFolder();
        if (folder.empty()) folder = "/tmp/";
        const TDateTime now = ClockNow();
        return AppendLine(folder, "Alert_TessalGenerator_" + DatePart(now, "D") + ".log", "[" + DateTimeToStr(now) + "] " + text);
    } catch (...) {
        return false;
    }
}

void ReportError(const std::exception* exception, const std::string& location, const std::string& programmerMessage) {
    try {
        const std::string where = Trim(location);
        WriteReportLine(std::string(kSeparator) + (where.empty() ? std::string() : " on " + location + " ") + kSeparator);
        if (exception) {
            WriteReportLine("讯息信息:");
            int count = 1;
            const std::string message = exception->what();
            if (const auto* db = dynamic_cast<const EDBEngineError*>(exception)) {
                count = db->ErrorCount();
                int i = 0;
                for (const DBEngineErrorEntry& entry : db->Errors())
                    WriteReportLine(Format("EDBEngineError Error %.2d: Code: %d, Message: %s", {++i, entry.code, entry.message}));
            } else if (dynamic_cast<const EOSError*>(exception)) {
                // Our operating-system and file errors carry no numeric code beside the message.
                WriteReportLine(Format("EWin32Error Error %.2d: Code: %d, Message: %s", {1, 0, message}));
            } else if (dynamic_cast<const EInOutError*>(exception)) {
                WriteReportLine(Format("EInOutError Error %.2d: Code: %d, Message: %s", {1, 0, message}));
            } else {
                WriteReportLine(Format("Exception is %s\r\nMessage %.2d: ", {ClassNameOf(*exception), 1}) + message);
            }
            WriteReportLine(Format("ErrorMessage Count: %d", {count}));
        }
        if (!Trim(programmerMessage).empty()) WriteReportLine("Programer Message: " + programmerMessage);
    } catch (...) {
        // An error report must never raise in the middle of handling another error.
    }
}
