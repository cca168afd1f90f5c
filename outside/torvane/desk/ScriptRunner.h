#pragma once
// Runs a script as a window session of the work center (offscreen under tests):
//   login USER COMPANY DATABASE           the login, then the main window
//   codepage UI [DB]                      the interface (and database) code page of the client
//                                         configuration for the programs opened afterwards: 936
//                                         simplified, 950 traditional, 437 English; put back when
//                                         the run ends
//   open PROGRAM [run-mode N] [rights N] [param TEXT]
//   click NAME                            a button, tool button or menu item, by component name
//   key KEYS...                           F5, Ctrl+Tab, Ctrl+Delete, Enter, Esc ...
//   focus NAME
//   type NAME TEXT                        focus, type as a user would, leave with Tab
//   cell GRID ROW FIELD TEXT              the grid's ROW-th record (from 1), FIELD's cell typed in
//   answer BUTTON                         the answer to the next message box ("Yes", "OK", "Cancel" ...)
//   expect NAME PROPERTY VALUE            a published property ("form" names the current window)
//   expect-field DATASET FIELD VALUE
//   expect-message KIND CODE              a coded message shown since the last such check
//   screenshot FILE                       a PNG of the current window
//   close                                 closes the current window as its close button does
// Commands act on the current window: the modal window on top, else the last program opened,
// else the main window. Each command runs once the windows are at rest, so a command that opens a
// modal window lets the next one act on it. The first failure ends the run with one line on the
// error stream ("line N: expected ..., found ...") and exit code 1.
#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "outside/torvane/desk/Script.h"
#include "outside/torvane/desk/WorkCenter.h"

class TMessageForm;
class TfrmWorkCenter;
struct TShownMessage;

class TScriptRunner {
public:
    TScriptRunner(TWorkCenter& center, std::ostream& out, std::ostream& err);
    ~TScriptRunner();

    // Runs every line (Qt's loop runs meanwhile); 0 when all passed, 1 at the first failure.
    int Run(const std::vector<TScriptLine>& lines);

private:
    bool MessageBoxShowing();
    void Step();
    void Execute(const TScriptLine& line);
    void Finish(int code);
    void AnswerMessage(TMessageForm& form, const TShownMessage& message);

    TCustomForm* CurrentForm();
    TComponent* Find(const std::string& name);
    TComponent* FindIn(TComponent* root, const std::string& name);
    TComponent* Need(const std::string& name);
    void Login(const std::vector<std::string>& words);
    void CodePage(const std::vector<std::string>& words);
    void RestoreClientFile();
    void Open(const std::vector<std::string>& words);
    void Click(const std::string& name);
    void Type(const std::string& name, const std::string& text);
    void Cell(const std::vector<std::string>& words);
    void Expect(const std::string& name, const std::string& property, const std::string& value);
    void ExpectField(const std::string& dataset, const std::string& field, const std::string& value);
    void ExpectMessage(const std::string& kind, const std::string& code);
    void Screenshot(const std::string& file);
    void CloseCurrent();

    TWorkCenter& center_;
    std::ostream& out_;
    std::ostream& err_;
    std::vector<TScriptLine> lines_;
    std::size_t next_ = 0;
    bool finished_ = false;
    int exit_ = 0;
    TfrmWorkCenter* mainWindow_ = nullptr;
    std::deque<std::string> answers_;
    // The client configuration as it was before a codepage command, put back when the run ends.
    std::optional<std::pair<std::string, std::optional<std::string>>> savedClientFile_;
    std::string answerProblem_;
    std::size_t lookupsChecked_ = 0;
    std::size_t messagesChecked_ = 0;
};

// A failed expectation or command: the line the run ends with.
class EScriptFailure : public Exception {
public:
    using Exception::Exception;
};
