#pragma once
// The user's rights: function rights (elements 0..63) parsed from the server's POWER_DATA text, and
// the 16-bit command rights the host narrows.
#include <string>

#include "toolkit/classes/Sets.h"

using TFunctionRights = TSet<int>;  // elements 0..63
using TCommandRights = TSet<int>;   // elements 0..15

// What a radical form starts with: everything except 15..21 and 60..63.
TFunctionRights InitialFunctionRights();
// Elements 0..8 (511).
TCommandRights InitialCommandRights();

// POWER_DATA: parts separated by "," (part 0 not read; missing parts are empty). An empty text gives
// only the placeholder elements 15..29 (the caller reports the missing rights).
TFunctionRights ParsePowerData(const std::string& powerData);
