#pragma once
// A push button: clicking sets the form's modal result to the button's own; the default button
// answers Enter and the cancel button Escape.
#include "toolkit/ui/kernel/Controls.h"
#include "toolkit/ui/kernel/ModalResult.h"

class TButton : public TWinControl {
    TK_CLASS_PUBLISHED(TButton, TWinControl)
public:
    explicit TButton(TComponent* owner);

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }

    void Click() override;
    // Enter clicks the focused button, or the default button while no button has the focus;
    // Escape clicks the cancel button.
    bool DialogKey(WORD key, TShiftState shift) override;
    // The space bar clicks.
    void CharTyped(char32_t ch) override;

protected:
    // The left button released over the button clicks it.
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;

private:
    int modalResult_ = mrNone;
    bool default_ = false;
    bool cancel_ = false;
};
