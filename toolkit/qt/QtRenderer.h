#pragma once
// The Qt renderer for the process: a QApplication (made when there is none), a peer for every
// control shown, the modal loop, message boxes and beeps on Qt, and the toolkit's message queue
// run from Qt's event loop. This header does not include Qt, so hosts can use it as they are.
#include <functional>
#include <string>

class TControl;
class TQtMessageService;

// Installs the renderer (again: nothing). The offscreen platform is taken when QT_QPA_PLATFORM
// says so (tests, scripts).
void InstallQtRenderer();
// Puts the headless services back and stops making peers (forms should be gone first).
void UninstallQtRenderer();
bool QtRendererInstalled();
// The renderer's message service (nullptr when not installed).
TQtMessageService* QtMessageService();

// Runs Qt's event loop until the application is terminated (its main form closed).
int RunQtApplication();
// Delivers pending Qt events and queued toolkit messages, without waiting.
void ProcessQtEvents();
// Runs task when Qt's loop (the main one or a modal one) has nothing left to do; scripts step
// this way, so a step that opens a modal window lets the next step act on it.
void RunWhenIdle(std::function<void()> task);
// Writes a picture of the window of a form, or of a control, to a PNG file (peers made when
// needed; pending events processed first). False when it cannot be written.
bool GrabWindowToPng(TControl* control, const std::string& file);
