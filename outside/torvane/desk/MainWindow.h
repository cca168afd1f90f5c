#pragma once
// The work center's main window. It registers the window class "RKT_Vandril_MainMenu" (programs
// send it their message-centre texts with WM_COPYDATA), lists the company's programs in its menu
// and opens them through the work center (a program already open comes forward), and shows what
// happens to them in its status bar, beside panels with the user, company, database and server.
#include <map>
#include <string>
#include <vector>

#include "outside/torvane/desk/WorkCenter.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/Memo.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/StatusBar.h"

inline constexpr const char* kMainMenuWindowClass = "RKT_Vandril_MainMenu";

class TfrmWorkCenter : public TForm {
    TK_CLASS(TfrmWorkCenter, TForm)
public:
    TfrmWorkCenter(TComponent* owner, TWorkCenter& center);
    ~TfrmWorkCenter() override;

    TMainMenu* mmMain;
    TMenuItem* miSystem;
    TMenuItem* miExit;
    TMenuItem* miPrograms;
    TMemo* memMessages;
    TStatusBar* sbStatus;

    // Fills the program menu from the company database.
    void LoadPrograms();
    // Opens a program (busy cursor and "正在连接 ..." while it connects), or brings its open window
    // forward; a failure is shown in a message box and the status bar.
    void OpenProgram(const std::string& program, int runMode = 0, int rights = 0xFF);
    // Tells the status bar what a program's host event means to the user ("文档信息录入作业 已打开").
    void ShowProgramEvent(const std::string& program, std::int32_t code);
    // The message-centre texts received, in order.
    const std::vector<std::string>& Messages() const { return messages_; }
    void ReceiveMessage(const std::string& text);
    void ShowStatus(const std::string& text);

private:
    void WMCopyData(TMessage& message);
    void AddPanel(const std::string& text, int width);
    void FitPanels();
    std::string ProgramName(const std::string& program) const;

    TWorkCenter& center_;
    std::vector<std::string> messages_;
    std::map<std::string, std::string> programNames_;  // by upper-case id
};

// What a host event tells the user about a program ("已打开"); "" for events nobody needs to read.
std::string HostEventStatus(std::int32_t code);

// The text of a host event ("272 显示").
std::string HostEventText(std::int32_t code);
