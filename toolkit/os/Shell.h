#pragma once
// Shell actions on files, through one replaceable service (tests record the calls).
// The default service: "open" starts the desktop's opener (xdg-open) detached and returns whether it
// could be started; "properties" calls the registered properties-window handler (false without one);
// other operations return false.
#include <functional>
#include <string>

using ShellService = std::function<bool(const std::string& operation, const std::string& file)>;
using PropertiesHandler = std::function<void(const std::string& file)>;

bool ShellExecute(const std::string& operation, const std::string& file);
// Replaces the service and returns the previous one; nullptr restores the default.
ShellService SetShellService(ShellService service);
// The window that shows a file's properties (the host registers its own).
void SetPropertiesHandler(PropertiesHandler handler);
// The default "open": runs the opener detached. False when it cannot be started.
bool ShellOpenDefault(const std::string& file);
