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

// What the desktop starts with: the login preset in the login window, and the program it opens once
// the main window is up (none when empty) with the host's run mode and rights.
struct TDeskStart {
    TLogin Login;
    std::string Program;
    int RunMode = 0;
    int Rights = 0xFF;
};

// Shows the login window and runs the work center until its main window closes.
int RunDesktop(const TDeskStart& start, std::ostream& err);
// Runs the script file offscreen (QT_QPA_PLATFORM=offscreen unless it is set).
int RunScriptFile(const std::string& file, std::ostream& out, std::ostream& err);
