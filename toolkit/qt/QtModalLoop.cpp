#include "toolkit/qt/QtModalLoop.h"

#include <QEventLoop>

#include "toolkit/qt/QtEventPump.h"
#include "toolkit/qt/QtMessageService.h"
#include "toolkit/qt/QtRenderer.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Forms.h"

std::multimap<TCustomForm*, QEventLoop*>& TQtModalLoop::Loops() {
    static auto* loops = new std::multimap<TCustomForm*, QEventLoop*>;
    return *loops;
}

int TQtModalLoop::Run(TCustomForm& form) {
    // A message dialog its owner shows itself is recorded and scripted like the message service's.
    auto* message = dynamic_cast<TMessageForm*>(&form);
    TQtMessageService* service = message ? QtMessageService() : nullptr;
    if (service && service->Owns(*message)) service = nullptr;
    const std::size_t record = service ? service->Watch(*message) : 0;
    const int answer = RunLoop(form);
    if (service) service->Answered(record, answer);
    return answer;
}

int TQtModalLoop::RunLoop(TCustomForm& form) {
    TComponentRef<TCustomForm> alive(&form);
    int last = mrCancel;
    QEventLoop loop;
    auto entry = Loops().emplace(&form, &loop);
    if (EventPump()) EventPump()->Enter(&loop);
    struct Unregister {
        std::multimap<TCustomForm*, QEventLoop*>::iterator entry;
        QEventLoop* loop;
        ~Unregister() {
            Loops().erase(entry);
            if (EventPump()) EventPump()->Leave(loop);
        }
    } unregister{entry, &loop};

    bool cancelled = false;
    while (true) {
        if (!alive) return last;
        if (Application->Terminated() && form.ModalResult() == mrNone) {
            if (cancelled) return mrCancel;  // refused even to be cancelled
            cancelled = true;
            form.SetModalResult(mrCancel);
        }
        if (form.ModalResult() != mrNone) {
            last = form.ModalResult();
            if (form.CloseModal()) return alive ? form.ModalResult() : last;
            if (!alive) return last;
            continue;
        }
        loop.exec();
    }
}

void TQtModalLoop::ModalResultChanged(TCustomForm& form) {
    auto range = Loops().equal_range(&form);
    for (auto it = range.first; it != range.second; ++it) it->second->quit();
}

void TQtModalLoop::FormGone(TCustomForm& form) {
    auto range = Loops().equal_range(&form);
    for (auto it = range.first; it != range.second; ++it) it->second->quit();
}
