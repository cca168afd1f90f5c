#pragma once
// Forms: top-level windows. A form is created hidden; OnCreate runs once construction is complete
// (build forms with CreateComponent or a class reference) and OnDestroy before its components go
// (free forms with Free(), Release() or through their owner). Closing asks OnCloseQuery, then
// OnClose chooses what happens (hide, free, minimise or nothing). ShowModal runs the application's
// modal loop until a modal result is set and accepted.
#include <functional>
#include <string>

#include "toolkit/ui/kernel/Controls.h"
#include "toolkit/ui/kernel/ModalResult.h"

enum TCloseAction {
    caNone,
    caHide,
    caFree,
    caMinimize
};
TK_ENUM_TYPE(TCloseAction, "caNone", "caHide", "caFree", "caMinimize")
enum TWindowState {
    wsNormal,
    wsMinimized,
    wsMaximized
};
TK_ENUM_TYPE(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
TK_ENUM_TYPE(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
             "poMainFormCenter", "poOwnerFormCenter")
enum TFormStyle {
    fsNormal,
    fsMDIChild,
    fsMDIForm,
    fsStayOnTop
};
TK_ENUM_TYPE(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop")
enum TFormBorderStyle {
    bsNone,
    bsSingle,
    bsSizeable,
    bsDialog,
    bsToolWindow,
    bsSizeToolWin
};
TK_ENUM_TYPE(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin")
enum TBorderIcon {
    biSystemMenu,
    biMinimize,
    biMaximize,
    biHelp
};
TK_ENUM_TYPE(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
using TBorderIcons = TSet<TBorderIcon>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(WORD& Key, TShiftState Shift, bool& Handled)>;

class TCustomForm : public TWinControl {
    TK_CLASS_PUBLISHED(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // Showing raises OnShow before the window appears and activates the form; hiding raises OnHide.
    // Changing Visible from within OnShow or OnHide raises EInvalidOperation.
    void SetVisible(bool visible) override;
    void Show() override;  // visible and brought to the front
    void Hide() { SetVisible(false); }
    // Closes as the user would: a modal form gets mrCancel; otherwise OnCloseQuery may refuse,
    // OnClose picks the action (caHide by default); the main form terminates the application.
    void Close();
    virtual bool CloseQuery();
    // EInvalidOperation "Cannot make a visible window modal" when visible, disabled or modal.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);
    bool Modal() const { return modal_; }
    // The closing step of a modal loop: asks OnCloseQuery and OnClose; a refusal (or caNone) clears
    // the modal result, caFree releases the form. True when the modal result stands.
    bool CloseModal();
    // Frees the form once the messages already queued are processed.
    void Release();
    void BringToFront() override;
    bool Active() const;
    // Activates the form; EInvalidOperation when it is hidden or disabled.
    void SetFocus() override;

    TWinControl* ActiveControl() const { return activeControl_; }
    // Moves the focus (OnExit of the controls left, OnEnter of those entered). EInvalidOperation
    // "Cannot focus a disabled or invisible window" for a control that cannot take it. A handler
    // that moves the focus itself while this runs has the last word.
    void SetActiveControl(TWinControl* control);
    void FocusControl(TWinControl* control) { SetActiveControl(control); }
    // The control (or one holding the focused control) is going away or hidden: forget the focus.
    void DefocusControl(TWinControl* control, bool removing);

    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    // The main menu (an IShortCutHandler when it has shortcuts); cleared when it is freed.
    TComponent* Menu() const { return menu_; }
    void SetMenu(TComponent* menu);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TShortCutEvent OnShortCut;

    // Shortcuts of the form (OnShortCut, then the main menu); true when handled.
    virtual bool IsShortCut(WORD key, TShiftState shift);
    // Tab and arrow keys move the focus; other dialog keys go to the controls (default buttons).
    bool DialogKey(WORD key, TShiftState shift) override;
    // WM_CLOSE closes, CM_RELEASE frees, WM_PAINT paints, WM_NEXTDLGCTL moves the focus.
    void Dispatch(TMessage& message) override;
    // Headless forms paint through a posted WM_PAINT; with a renderer, the peer repaints.
    void Invalidate() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();
    // An exception from OnCreate goes to Application->HandleException; return false to let it
    // pass to the creator instead.
    virtual bool HandleCreateException();
    void VisibleChanged() override;

private:
    friend class TScreen;
    void SetActive(bool active);
    void ApplyPosition();
    void CreatePeers(TControl& control);

    int modalResult_ = mrNone;
    bool modal_ = false;
    bool showingChange_ = false;
    bool paintPending_ = false;
    bool formPartsDone_ = false;
    TWinControl* activeControl_ = nullptr;
    unsigned focusSerial_ = 0;
    bool keyPreview_ = false;
    TWindowState windowState_ = wsNormal;
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TComponent* menu_ = nullptr;
};

class TForm : public TCustomForm {
    TK_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

using TFormClass = TClassOf<TCustomForm>;
