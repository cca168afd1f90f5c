#pragma once
// Chinese captions of the message-dialog buttons, by the button's name ("Yes", "Cancel", ...).
#include <string>
#include <string_view>

// The caption of a known button; any other name is returned as it is.
std::string ButtonCaption(std::string_view name);
