#pragma once
// What the company needs for the document test program TDBL01: its tables TDBMA (orders), TDBMB
// (lines) and TDBMC (lots of a line), the program and its information, the users' rights, and two
// orders: A/202401020001 with lines 0001 (lot in W1), 0002 (lots in W2 and W1) and 0003 (lot in W3),
// and B/202401020001 whose line 0001 has its only lot in W3. The clerk may touch lots in W1 only.
#include <string>
#include <vector>

const std::vector<std::string>& Tdbl01InstallStatements();
