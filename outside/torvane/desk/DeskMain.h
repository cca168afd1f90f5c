#pragma once
// The two window sessions of the work center: the desktop (the login window, then the main window
// until it is closed) and a script run offscreen.
#include <ostream>
#include <string>

#include "outside/torvane/desk/ProgramHost.h"

enum TDeskExit : int {
    deOk = 0,
    deScriptFailed = 1,
    deBadScript = 2,
    deNoDisplay = 6,
    deCancelled = 7,
};

// Shows the login window (preset with login) and runs the work center until its main window closes.
int RunDesktop(const TLogin& login, std::ostream& err);
// Runs the script file offscreen (QT_QPA_PLATFORM=offscreen unless it is set).
int RunScriptFile(const std::string& file, std::ostream& out, std::ostream& err);
