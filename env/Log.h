#pragma once
// The two log files of the installation, both in the folder "Log" under the configured client (else
// server) folder: named alert logs ("Alert_<name>_<date>.log") and the error-report log
// ("Alert_TessalGenerator_<YYYYMMDD>.log"). Every line opens, appends and closes the file; a log
// that cannot be written reports false and never raises.
#include <exception>
#include <string>

// Appends "[YYYY/MM/DD hh:nn:ss:zzz] message" to Alert_<name>_<date>.log, the date by period:
// "M" YYYYMM, "Y" YYYY, anything else YYYYMMDD. No ".log" is added when the name holds a ".".
// Without a configured folder the log goes beside the running program.
bool WriteAlert(const std::string& name, const std::string& message, const std::string& period = "D");
// Appends "[<date and time>] text" to the error-report log of today. Without a configured folder
// the log goes to the temporary folder.
bool WriteReportLine(const std::string& text);
// Writes an error report: a separator naming the location, the exception's entries (by kind:
// database-engine entries, operating-system, input/output, any other), and the programmer's message.
// exception may be null.
void ReportError(const std::exception* exception, const std::string& location, const std::string& programmerMessage);
inline void ReportError(const std::exception& exception, const std::string& location, const std::string& programmerMessage) {
    ReportError(&exception, location, programmerMessage);
}
