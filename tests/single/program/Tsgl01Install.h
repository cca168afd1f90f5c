#pragma once
// What the company needs for the test program TSGL01: its table TSGMA, the program and its
// information, and the demo user's rights. Each statement runs on the company database.
#include <string>
#include <vector>

const std::vector<std::string>& Tsgl01InstallStatements();
