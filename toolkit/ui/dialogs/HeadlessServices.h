#pragma once
// The services of a run without a desktop: modal forms are driven by posted messages until they
// have a modal result (and are cancelled when nobody can answer them), message boxes are recorded
// and answered with their default button, beeps are counted.
#include <functional>
#include <vector>

#include "toolkit/ui/kernel/AppServices.h"

// A message box or dialog as it was shown, with the answer it got.
struct TShownMessage {
    enum TKind {
        Box,
        Dialog
    };
    TKind Kind = Box;
    std::string Text;
    std::string Caption;
    unsigned Flags = 0;          // boxes: MB_ buttons, icon and default button
    TMessageDlgRequest Request;  // dialogs: type, buttons, default button, captions, font
    int Answer = 0;

    // The record of a message box and of a message dialog, not yet answered.
    static TShownMessage OfBox(const std::string& text, const std::string& caption, unsigned flags);
    static TShownMessage OfDialog(const TMessageDlgRequest& request);
};

// Runs a modal form without a desktop: whenShown (if any) acts on the form first, then posted
// messages are processed until the form has a modal result that it accepts. A form with no result
// and nothing left to process is cancelled (mrCancel), so nothing waits forever.
int RunHeadlessModal(TCustomForm& form, const std::function<void(TCustomForm&)>& whenShown = nullptr);

class THeadlessModalLoop : public IModalLoop {
public:
    int Run(TCustomForm& form) override { return RunHeadlessModal(form); }
};

class THeadlessMessageService : public IMessageService {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    int MessageDlg(const TMessageDlgRequest& request) override;

    const std::vector<TShownMessage>& Shown() const { return shown_; }
    void Clear() { shown_.clear(); }

protected:
    // The answer given to a message; the default button's.
    virtual int Answer(const TShownMessage& message);

private:
    int Record(TShownMessage message);
    std::vector<TShownMessage> shown_;
};

class THeadlessBeepService : public IBeepService {
public:
    void MessageBeep(unsigned type) override { beeps_.push_back(type); }
    int Count() const { return static_cast<int>(beeps_.size()); }
    const std::vector<unsigned>& Beeps() const { return beeps_; }
    void Clear() { beeps_.clear(); }

private:
    std::vector<unsigned> beeps_;
};
