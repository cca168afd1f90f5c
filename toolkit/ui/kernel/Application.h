#pragma once
// The application: the message queue (posted messages, deferred Release), windows by handle and by
// class, the main form, hint settings, exception display, and the replaceable services.
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "toolkit/ui/kernel/AppServices.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/Messages.h"

class TApplication : public TComponent {
    TK_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);

    // Queue. PostMessage to a window that does not exist returns false; handle 0 posts a message
    // for OnMessage alone. SendMessage delivers at once and returns the window's result (0 when
    // there is no such window).
    bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Delivers one queued message; false when the queue is empty. Messages for windows that are
    // gone are dropped. An exception from a handler goes to HandleException.
    bool ProcessMessage();
    // Delivers queued messages (also those posted meanwhile) until the queue is empty.
    void ProcessMessages();
    bool HasPendingMessages() const;
    std::size_t PendingMessageCount() const;
    // Sees every queued message first; setting Handled stops its delivery.
    std::function<void(TMsg& Msg, bool& Handled)> OnMessage;

    TWinControl* FindControl(HWND hwnd) const;
    HWND FindWindow(const std::string& className, const std::string& windowName = "") const;
    bool IsWindow(HWND hwnd) const;

    // Modal loops end with mrCancel once the application is terminated.
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    // For hosts that run several sessions in one process (script runs, tests).
    void ClearTerminated() { terminated_ = false; }

    // Builds a form owned by the application; the first one becomes the main form.
    template <class T>
    void CreateForm(T*& reference) {
        reference = CreateComponent<T>(this);
        if (!mainForm_) {
            if (auto* form = dynamic_cast<TCustomForm*>(reference)) {
                form->HandleNeeded();
                mainForm_ = form;
            }
        }
    }
    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& ExeName() const { return exeName_; }
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms) { hintHidePause_ = ms; }
    int HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(int ms) { hintShortPause_ = ms; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    // Raised when ShowHint changes (the renderer recreates its hint window).
    TNotifyEvent OnShowHintChange;

    // Services; each setter returns the service it replaces so that it can be put back.
    IModalLoop& ModalLoop() const { return *modalLoop_; }
    std::shared_ptr<IModalLoop> SetModalLoop(std::shared_ptr<IModalLoop> loop);
    IMessageService& MessageService() const { return *messages_; }
    std::shared_ptr<IMessageService> SetMessageService(std::shared_ptr<IMessageService> service);
    IBeepService& BeepService() const { return *beeps_; }
    std::shared_ptr<IBeepService> SetBeepService(std::shared_ptr<IBeepService> service);

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags = MB_OK);
    void MessageBeep(unsigned type = 0);

    // To be called in a catch block: EAbort is silent; other exceptions go to OnException or, when
    // it is not assigned, to ShowException.
    void HandleException(TObject* sender);
    // A box with the message (a full stop added after a last character above '.'), the title as
    // caption, OK and the stop icon.
    void ShowException(const std::exception& e);
    std::function<void(TObject* Sender, const std::exception& E)> OnException;

    void Notification(TComponent* component, TOperation operation) override;

private:
    mutable std::mutex queueMutex_;
    std::deque<TMsg> queue_;
    bool terminated_ = false;
    TCustomForm* mainForm_ = nullptr;
    std::string exeName_;
    std::string title_;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    int hintShortPause_ = 50;
    bool showHint_ = true;
    std::shared_ptr<IModalLoop> modalLoop_;
    std::shared_ptr<IMessageService> messages_;
    std::shared_ptr<IBeepService> beeps_;
};

// The process's application object (never destroyed).
extern TApplication* const Application;
