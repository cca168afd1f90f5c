#pragma once
// The application server's own log: one line per event, appended to <folder>/Log/Nexor01S_YYYYMMDD.log
// (the folder is created when missing). Never raises; a log that cannot be written is skipped.
#include <string>

void WriteServerLog(const std::string& folder, const std::string& text);

// Local date and time texts of the server.
std::string ServerDateText();   // YYYYMMDD
std::string ServerStampText();  // YYYYMMDDhhmmsszzz (the 17-character stamp of the system columns)
