#include "toolkit/ui/kernel/Application.h"

#include <filesystem>

#include "toolkit/ui/dialogs/HeadlessServices.h"
#include "toolkit/ui/kernel/WindowRegistry.h"

TApplication* const Application = new TApplication(nullptr);

TApplication::TApplication(TComponent* owner)
    : TComponent(owner), modalLoop_(std::make_shared<THeadlessModalLoop>()),
      messages_(std::make_shared<THeadlessMessageService>()), beeps_(std::make_shared<THeadlessBeepService>()) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        exeName_ = exe.string();
        title_ = exe.stem().string();
    }
}

bool TApplication::PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd != 0 && !WindowRegistry().IsWindow(hwnd)) return false;
    std::lock_guard<std::mutex> lock(queueMutex_);
    queue_.push_back(TMsg{hwnd, msg, wParam, lParam});
    return true;
}

LRESULT TApplication::SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = WindowRegistry().Find(hwnd);
    return control ? control->Perform(msg, wParam, lParam) : 0;
}

bool TApplication::ProcessMessage() {
    TMsg msg;
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        if (queue_.empty()) return false;
        msg = queue_.front();
        queue_.pop_front();
    }
    try {
        bool handled = false;
        if (OnMessage) OnMessage(msg, handled);
        if (!handled && msg.hwnd != 0) {
            // The window may have gone since the message was posted.
            if (TWinControl* control = WindowRegistry().Find(msg.hwnd)) control->Perform(msg.message, msg.wParam, msg.lParam);
        }
    } catch (...) {
        HandleException(this);
    }
    return true;
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {}
}

bool TApplication::HasPendingMessages() const {
    std::lock_guard<std::mutex> lock(queueMutex_);
    return !queue_.empty();
}

std::size_t TApplication::PendingMessageCount() const {
    std::lock_guard<std::mutex> lock(queueMutex_);
    return queue_.size();
}

TWinControl* TApplication::FindControl(HWND hwnd) const { return WindowRegistry().Find(hwnd); }

HWND TApplication::FindWindow(const std::string& className, const std::string& windowName) const {
    return WindowRegistry().FindWindow(className, windowName);
}

bool TApplication::IsWindow(HWND hwnd) const { return WindowRegistry().IsWindow(hwnd); }

void TApplication::SetShowHint(bool value) {
    if (value == showHint_) return;
    showHint_ = value;
    if (OnShowHintChange) OnShowHintChange(this);
}

std::shared_ptr<IModalLoop> TApplication::SetModalLoop(std::shared_ptr<IModalLoop> loop) {
    if (!loop) loop = std::make_shared<THeadlessModalLoop>();
    std::swap(loop, modalLoop_);
    return loop;
}

std::shared_ptr<IMessageService> TApplication::SetMessageService(std::shared_ptr<IMessageService> service) {
    if (!service) service = std::make_shared<THeadlessMessageService>();
    std::swap(service, messages_);
    return service;
}

std::shared_ptr<IBeepService> TApplication::SetBeepService(std::shared_ptr<IBeepService> service) {
    if (!service) service = std::make_shared<THeadlessBeepService>();
    std::swap(service, beeps_);
    return service;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    // The service may be replaced while the box is up: keep this one alive for the call.
    std::shared_ptr<IMessageService> service = messages_;
    return service->MessageBox(text, caption, flags);
}

void TApplication::MessageBeep(unsigned type) {
    std::shared_ptr<IBeepService> service = beeps_;
    service->MessageBeep(type);
}

void TApplication::HandleException(TObject* sender) {
    std::exception_ptr current = std::current_exception();
    if (!current) return;
    try {
        std::rethrow_exception(current);
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        if (OnException)
            OnException(sender, e);
        else
            ShowException(e);
    } catch (...) {
        Exception unknown("Unknown exception");
        if (OnException)
            OnException(sender, unknown);
        else
            ShowException(unknown);
    }
}

void TApplication::ShowException(const std::exception& e) {
    std::string text = e.what();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
}
