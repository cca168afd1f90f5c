#pragma once
// The work center's main window. It registers the window class "RKT_Vandril_MainMenu" (programs
// send it their message-centre texts with WM_COPYDATA), lists the company's programs in its menu
// and opens them through the work center, and shows the programs' events in its status line.
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
    // Opens a program; a failure is shown in a message box and the status line.
    void OpenProgram(const std::string& program);
    // The message-centre texts received, in order.
    const std::vector<std::string>& Messages() const { return messages_; }
    void ReceiveMessage(const std::string& text);
    void ShowStatus(const std::string& text);

private:
    void WMCopyData(TMessage& message);

    TWorkCenter& center_;
    std::vector<std::string> messages_;
};

// The text of a host event ("272 显示").
std::string HostEventText(std::int32_t code);
