#include "outside/torvane/app/HeadlessHost.h"

#include <memory>

#include "contract/DLLBaseController.h"
#include "outside/torvane/DemoInstallation.h"
#include "outside/torvane/HostManager.h"
#include "toolkit/os/DynLib.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/dialogs/HeadlessServices.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/Button.h"

namespace {

// Message boxes are printed and answered with their default button.
class TPrintedMessages : public THeadlessMessageService {
public:
    explicit TPrintedMessages(std::ostream& out) : out_(out) {}

protected:
    int Answer(const TShownMessage& message) override {
        out_ << "message: " << message.Text << "\n";
        return THeadlessMessageService::Answer(message);
    }

private:
    std::ostream& out_;
};

// Message dialogs shown modally are printed and answered with their default button; other modal
// windows are cancelled, as nobody can answer them.
class TPrintedModalLoop : public IModalLoop {
public:
    explicit TPrintedModalLoop(std::ostream& out) : out_(out) {}

    int Run(TCustomForm& form) override {
        return RunHeadlessModal(form, [this](TCustomForm& shown) {
            auto* dialog = dynamic_cast<TMessageForm*>(&shown);
            if (!dialog) return;
            out_ << "message: " << dialog->MessageText() << "\n";
            for (TComponent* component : dialog->ComponentList())
                if (auto* button = dynamic_cast<TButton*>(component); button && button->Default()) button->Click();
        });
    }

private:
    std::ostream& out_;
};

std::string CaptionOf(HWND handle) {
    TWinControl* window = handle ? Application->FindControl(handle) : nullptr;
    return window ? window->Caption() : std::string();
}

std::string InfoText(const Variant& info) {
    if (!info.IsArray()) return VarToStr(info);
    std::string text;
    for (int i = info.Low(); i <= info.High(); ++i) text += (i > info.Low() ? " | " : "") + VarToStr(info[i]);
    return text;
}

}  // namespace

int THeadlessHost::Fail(int code, const std::string& line) {
    err_ << "torvane: " << line << std::endl;
    return code;
}

void THeadlessHost::HostNotify(std::int32_t eventCode, TDLLBaseController*) { out_ << "event " << eventCode << std::endl; }

int THeadlessHost::Run(const TorvaneOptions& options) {
    if (const std::string missing = MissingRegistryReason(); !missing.empty()) return Fail(heNoInstallation, missing);

    const std::string library = ExtractFilePath(ExecutableFileName()) + options.program + "C.so";
    TDynLib plugin(library);
    if (!plugin.Loaded()) return Fail(heNoLibrary, "cannot load " + library + ": " + plugin.Error());
    auto getController = plugin.Function<TGetControllerFn>(kGetControllerSymbol);
    if (!getController) return Fail(heNoLibrary, library + " has no " + kGetControllerSymbol);
    // The program's classes stay registered with the toolkit for the rest of the process.
    plugin.Release();

    auto previousLoop = Application->SetModalLoop(std::make_shared<TPrintedModalLoop>(out_));
    auto previousMessages = Application->SetMessageService(std::make_shared<TPrintedMessages>(out_));
    struct Restore {
        std::shared_ptr<IModalLoop> loop;
        std::shared_ptr<IMessageService> messages;
        ~Restore() {
            Application->SetModalLoop(loop);
            Application->SetMessageService(messages);
        }
    } restore{previousLoop, previousMessages};

    Variant manager = CreateHostManager();
    OleCall(manager, "Connect", {VarArrayOf({options.user, options.company, options.database})});

    std::unique_ptr<TDLLBaseController> controller;
    try {
        controller.reset(getController());
        controller->HostManager = manager;
        controller->OnHostNotify = THostNotifyEvent::Of<THeadlessHost, &THeadlessHost::HostNotify>(this);
        out_ << "program: " << options.program << " (" << library << ") for " << options.user << " at " << options.company << "/"
             << options.database << std::endl;
        if (controller->CreateProgram(VarArrayOf({options.user, options.company, options.database, 0, ""})) != 0)
            return Fail(heRefused, options.program + " did not start");
        controller->SetRunMode(options.runMode, options.rights, Variant());
        controller->SetVisible(true);
        Application->ProcessMessages();
        if (controller->IsProgramClosed()) return Fail(heRefused, options.program + " closed itself at start-up");
        out_ << "caption: " << CaptionOf(controller->GetWindowHandle()) << std::endl;
        Variant info;
        controller->GetConnectInfo(info);
        out_ << "connect info: " << InfoText(info) << std::endl;
        controller->CloseProgram(false);
        Application->ProcessMessages();
        controller.reset();
    } catch (const EAbort&) {
        return Fail(heRefused, options.program + " was abandoned at start-up");
    } catch (const std::exception& e) {
        return Fail(heRefused, options.program + " refused to start: " + e.what());
    }
    return heOk;
}
