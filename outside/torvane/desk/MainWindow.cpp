#include "outside/torvane/desk/MainWindow.h"

#include <algorithm>

#include "outside/torvane/desk/DeskControls.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"

std::string HostEventText(std::int32_t code) {
    const char* what = code == heCreated     ? "创建"
                       : code == heShown     ? "显示"
                       : code == heHidden    ? "隐藏"
                       : code == heDestroyed ? "释放"
                       : code == heClosing   ? "关闭"
                                             : "";
    return std::to_string(code) + (*what ? std::string(" ") + what : std::string());
}

std::string HostEventStatus(std::int32_t code) {
    switch (code) {
        case heCreated: return "正在启动";
        case heShown: return "已打开";
        case heClosing: return "正在关闭";
        case heDestroyed: return "已关闭";
        default: return {};
    }
}

TfrmWorkCenter::TfrmWorkCenter(TComponent* owner, TWorkCenter& center) : TForm(owner), center_(center) {
    SetName("frmWorkCenter");
    SetWindowClassName(kMainMenuWindowClass);
    UseDeskFont(this);
    SetBounds(40, 40, 640, 420);
    const TLogin& login = center.CurrentLogin();
    SetCaption("Torvane 工作中心 - " + login.User + "@" + login.Company + "/" + login.Database);

    mmMain = CreateComponent<TMainMenu>(this);
    mmMain->SetName("mmMain");
    auto item = [this](TMenuItem* parent, const std::string& name, const std::string& caption) {
        auto* mi = CreateComponent<TMenuItem>(this);
        mi->SetName(name);
        mi->SetCaption(caption);
        parent->Add(mi);
        return mi;
    };
    miSystem = item(mmMain->Items(), "miSystem", "系统(&S)");
    miExit = item(miSystem, "miExit", "退出(&X)");
    miExit->OnClick = [this](TObject*) { Close(); };
    miPrograms = item(mmMain->Items(), "miPrograms", "作业(&P)");
    SetMenu(mmMain);

    sbStatus = Place<TStatusBar>(this, this, "sbStatus", 0, 0, 640, 22);
    sbStatus->SetAlign(alBottom);
    AddPanel("", 0);
    AddPanel("用户: " + login.User, 90);
    AddPanel("公司: " + login.Company, 100);
    AddPanel("数据库: " + login.Database, 110);
    AddPanel("服务器: " + center.ServerText(), 170);
    FitPanels();
    OnResize = [this](TObject*) { FitPanels(); };
    memMessages = Place<TMemo>(this, this, "memMessages", 0, 0, 640, 380);
    memMessages->SetAlign(alClient);
    memMessages->SetReadOnly(true);

    SetMessageHandler(WM_COPYDATA, [this](TMessage& message) { WMCopyData(message); });
    center_.SetHostWindow(Handle());
    center_.OnEvent = [this](const std::string& program, std::int32_t code) { ShowProgramEvent(program, code); };
    center_.OnMessageCenter = [this](const std::string& text) { ReceiveMessage(text); };
    OnClose = [this](TObject*, TCloseAction&) { center_.Programs().CloseAll(); };
    ShowStatus("就绪");
}

TfrmWorkCenter::~TfrmWorkCenter() {
    center_.OnEvent = nullptr;
    center_.OnMessageCenter = nullptr;
    center_.SetHostWindow(0);
}

void TfrmWorkCenter::AddPanel(const std::string& text, int width) {
    TStatusPanel* panel = sbStatus->Panels()->Add();
    panel->SetText(text);
    panel->SetWidth(width);
}

void TfrmWorkCenter::FitPanels() {
    // The first panel, the messages, takes what the others leave.
    int others = 0;
    for (int i = 1; i < sbStatus->Panels()->Count(); ++i) others += sbStatus->Panels()->Items(i)->Width();
    sbStatus->Panels()->Items(0)->SetWidth(std::max(120, ClientWidth() - others));
}

std::string TfrmWorkCenter::ProgramName(const std::string& program) const {
    auto it = programNames_.find(UpperCase(program));
    return it == programNames_.end() || it->second.empty() ? program : it->second;
}

void TfrmWorkCenter::ShowProgramEvent(const std::string& program, std::int32_t code) {
    const std::string what = HostEventStatus(code);
    if (!what.empty()) ShowStatus(ProgramName(program) + " " + what);
}

void TfrmWorkCenter::LoadPrograms() {
    miPrograms->Clear();
    programNames_.clear();
    for (const TProgramEntry& program : center_.ProgramList()) {
        programNames_[UpperCase(program.Id)] = program.Name;
        auto* mi = CreateComponent<TMenuItem>(this);
        mi->SetName("mi" + program.Id);
        mi->SetCaption(program.Id + " " + program.Name);
        std::string id = program.Id;
        mi->OnClick = [this, id](TObject*) { OpenProgram(id); };
        mi->SetEnabled(!TProgramHost::LibraryOf(id).empty());
        miPrograms->Add(mi);
    }
}

void TfrmWorkCenter::OpenProgram(const std::string& program, int runMode, int rights) {
    if (center_.BringForward(program)) {
        ShowStatus(ProgramName(program) + " 已打开");
        return;
    }
    try {
        ShowStatus("正在连接 " + center_.ServerText() + " …");
        sbStatus->Repaint();
        TCursorScope busy;
        center_.Open(program, runMode, rights);
    } catch (const EProgramOpen& e) {
        ShowStatus(ProgramName(program) + ": " + e.Message());
        MessageDlg(e.Message(), mtError, {mbOK});
    }
}

void TfrmWorkCenter::ReceiveMessage(const std::string& text) {
    messages_.push_back(text);
    memMessages->Lines()->Add(text);
    ShowStatus("消息中心: 收到一条消息");
}

void TfrmWorkCenter::ShowStatus(const std::string& text) { sbStatus->Panels()->Items(0)->SetText(text); }

void TfrmWorkCenter::WMCopyData(TMessage& message) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(message.LParam);
    if (!data || !data->lpData) return;
    std::string text(static_cast<const char*>(data->lpData), data->cbData);
    // The sender counts the closing zero.
    if (!text.empty() && text.back() == '\0') text.pop_back();
    ReceiveMessage(text);
    message.Result = 1;
}
