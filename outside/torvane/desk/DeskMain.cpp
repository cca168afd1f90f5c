#include "outside/torvane/desk/DeskMain.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "outside/torvane/desk/LoginForm.h"
#include "outside/torvane/desk/LookupWindows.h"
#include "outside/torvane/desk/MainWindow.h"
#include "outside/torvane/desk/ScriptRunner.h"
#include "toolkit/qt/QtRenderer.h"
#include "toolkit/ui/kernel/Application.h"

namespace {

bool HasDisplay() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// The session's windows and services, undone in reverse order.
struct TDeskSession {
    TDeskSession() {
        InstallQtRenderer();
        InstallLookupWindows();
    }
    ~TDeskSession() { UninstallLookupWindows(); }
};

}  // namespace

int RunDesktop(const TDeskStart& start, std::ostream& err) {
    const TLogin& login = start.Login;
    if (!HasDisplay()) {
        err << "torvane: no display (DISPLAY is not set); run it under xvfb-run, or use --headless or --script" << std::endl;
        return deNoDisplay;
    }
    TDeskSession session;
    TWorkCenter center;
    {
        TOwnedPtr<TfrmLogin> form(CreateComponent<TfrmLogin>(nullptr, center));
        form->edUser->SetText(login.User);
        form->edCompany->SetText(login.Company);
        form->edDatabase->SetText(login.Database);
        if (form->ShowModal() != mrOk || !center.LoggedIn()) {
            err << "torvane: the login was cancelled" << std::endl;
            return deCancelled;
        }
    }
    TOwnedPtr<TfrmWorkCenter> main(CreateComponent<TfrmWorkCenter>(nullptr, center));
    Application->SetMainForm(main.get());
    main->LoadPrograms();
    main->Show();
    if (!start.Program.empty()) main->OpenProgram(start.Program, start.RunMode, start.Rights);
    RunQtApplication();
    center.Programs().CloseAll();
    Application->SetMainForm(nullptr);
    return deOk;
}

int RunScriptFile(const std::string& file, std::ostream& out, std::ostream& err) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << "torvane: cannot read the script " << file << std::endl;
        return deBadScript;
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string error;
    const std::string text = ScriptText(bytes.str(), error);
    std::vector<TScriptLine> lines = error.empty() ? ParseScript(text, error) : std::vector<TScriptLine>{};
    if (!error.empty()) {
        err << "torvane: " << file << ": " << error << std::endl;
        return deBadScript;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TDeskSession session;
    TWorkCenter center;
    TScriptRunner runner(center, out, err);
    return runner.Run(lines);
}
