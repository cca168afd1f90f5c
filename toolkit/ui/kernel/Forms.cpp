#include "toolkit/ui/kernel/Forms.h"

#include <algorithm>

#include "toolkit/rtl/ScopeExit.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/kernel/WindowRegistry.h"

void TCustomForm::Publish(TPublisher<TCustomForm>& p) {
    PublishStandardWin(p);
    p.Property("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
    p.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    p.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons);
    p.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle);
    p.Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
    p.Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
    p.Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle);
    p.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview);
    p.Property("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
    p.Property("ModalResult", &TCustomForm::ModalResult, &TCustomForm::SetModalResult);
    p.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition);
    p.Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState);
    p.Property("OnActivate", &TCustomForm::OnActivate);
    p.Property("OnClose", &TCustomForm::OnClose);
    p.Property("OnCloseQuery", &TCustomForm::OnCloseQuery);
    p.Property("OnCreate", &TCustomForm::OnCreate);
    p.Property("OnDeactivate", &TCustomForm::OnDeactivate);
    p.Property("OnDestroy", &TCustomForm::OnDestroy);
    p.Property("OnHide", &TCustomForm::OnHide);
    p.Property("OnPaint", &TCustomForm::OnPaint);
    p.Property("OnResize", &TCustomForm::OnResize);
    p.Property("OnShortCut", &TCustomForm::OnShortCut);
    p.Property("OnShow", &TCustomForm::OnShow);
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetVisibleFlag(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    if (!formPartsDone_) {
        formPartsDone_ = true;
        Screen->RemoveForm(this);
        if (Application->MainForm() == this) Application->SetMainForm(nullptr);
    }
}

void TCustomForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    DoCreate();
}

void TCustomForm::BeforeDestruction() {
    if (!formPartsDone_) {
        formPartsDone_ = true;
        Destroying();
        if (Visible()) Hide();
        DoDestroy();
        Screen->RemoveForm(this);
        if (Application->MainForm() == this) Application->SetMainForm(nullptr);
    }
    TWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
    if (!OnCreate) return;
    try {
        OnCreate(this);
    } catch (...) {
        if (!HandleCreateException()) throw;
    }
}

bool TCustomForm::HandleCreateException() {
    Application->HandleException(this);
    return true;
}

void TCustomForm::DoDestroy() {
    if (!OnDestroy) return;
    try {
        OnDestroy(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::SetVisible(bool visible) {
    if (visible == Visible()) return;
    if (showingChange_) throw EInvalidOperation("Cannot change Visible in OnShow or OnHide");
    TWinControl::SetVisible(visible);
}

void TCustomForm::VisibleChanged() {
    if (Parent()) {  // a form placed inside another control behaves as a control
        TWinControl::VisibleChanged();
        return;
    }
    struct Showing {
        bool& flag;
        explicit Showing(bool& f) : flag(f) { flag = true; }
        ~Showing() { flag = false; }
    };
    TComponentRef<TCustomForm> self(this);
    if (Visible()) {
        ApplyPosition();
        CreatePeers(*this);
        {
            Showing showing(showingChange_);
            try {
                DoShow();
            } catch (...) {
                Application->HandleException(this);
            }
        }
        if (!self) return;
        TWinControl::VisibleChanged();
        Invalidate();
        Screen->FormShown(this);
    } else {
        {
            Showing showing(showingChange_);
            try {
                DoHide();
            } catch (...) {
                Application->HandleException(this);
            }
        }
        TWinControl::VisibleChanged();
        Screen->FormHidden(this);
    }
}

void TCustomForm::CreatePeers(TControl& control) {
    if (!PeerFactory()) return;
    control.CreatePeer();
    if (auto* win = dynamic_cast<TWinControl*>(&control))
        for (TControl* child : win->ControlList()) CreatePeers(*child);
}

void TCustomForm::ApplyPosition() {
    const TCustomForm* around = nullptr;
    switch (position_) {
        case poScreenCenter:
        case poDesktopCenter: break;
        case poMainFormCenter: around = Application->MainForm(); break;
        case poOwnerFormCenter:
            around = dynamic_cast<const TCustomForm*>(Owner());
            if (!around) around = Application->MainForm();
            break;
        default: return;
    }
    if (around == this) around = nullptr;
    if (around) {
        SetBounds(around->Left() + (around->Width() - Width()) / 2, around->Top() + (around->Height() - Height()) / 2, Width(),
                  Height());
    } else {
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Close() {
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    TComponentRef<TCustomForm> self(this);
    if (!CloseQuery() || !self) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone || !self) return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

bool TCustomForm::CloseModal() {
    TComponentRef<TCustomForm> self(this);
    try {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
        if (!self) return true;
        if (action == caNone)
            modalResult_ = mrNone;
        else if (action == caFree)
            Release();
    } catch (...) {
        if (self) modalResult_ = mrNone;
        Application->HandleException(this);
    }
    return !self || modalResult_ != mrNone;
}

int TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
    TComponentRef<TCustomForm> self(this);
    modal_ = true;
    modalResult_ = mrNone;
    TScopeExit closed([&] {
        if (!self) return;
        modal_ = false;
        Hide();
    });
    Show();
    return Application->ModalLoop().Run(*this);
}

void TCustomForm::SetModalResult(int result) {
    modalResult_ = result;
    if (modal_ && result != mrNone) Application->ModalLoop().ModalResultChanged(*this);
}

void TCustomForm::Release() { Application->PostMessage(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::BringToFront() {
    if (Parent()) {
        TWinControl::BringToFront();
        return;
    }
    Screen->BringFormToFront(this);
    if (Visible()) Screen->ActivateForm(this);
    Changed(TPropertyId::BringToFront);
}

bool TCustomForm::Active() const { return Screen->ActiveForm() == this; }

void TCustomForm::SetFocus() {
    if (!Visible() || !Enabled()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    Screen->ActivateForm(this);
}

void TCustomForm::SetActive(bool active) {
    if (active) {
        if (!activeControl_) {
            if (TWinControl* first = FindNextControl(nullptr, true, true, false)) SetActiveControl(first);
        }
        Activate();
    } else {
        Deactivate();
    }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    unsigned serial = ++focusSerial_;
    if (control == activeControl_) return;
    if (control && (control == this || GetParentForm(control) != this || !control->CanFocus()))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    // Leave the controls that do not hold the new one, innermost first; OnExit may refuse by raising.
    for (TWinControl* c = activeControl_; c && c != this && !c->ContainsControl(control); c = c->Parent()) {
        c->DoExit();
        if (focusSerial_ != serial) return;  // a handler moved the focus itself
    }
    TWinControl* left = activeControl_;
    activeControl_ = control;
    Changed(TPropertyId::ActiveControl);
    Screen->ActiveControlChanged(this);
    // Enter the controls that did not hold the old one, outermost first.
    std::vector<TWinControl*> entered;
    for (TWinControl* c = control; c && c != this && !c->ContainsControl(left); c = c->Parent()) entered.push_back(c);
    for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
        (*it)->DoEnter();
        if (focusSerial_ != serial) return;
    }
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (control && activeControl_ && control->ContainsControl(activeControl_)) {
        ++focusSerial_;
        activeControl_ = nullptr;
        if (!removing) Changed(TPropertyId::ActiveControl);
        Screen->ActiveControlChanged(this);
    }
}

void TCustomForm::SetWindowState(TWindowState state) { SetProperty(windowState_, state, TPropertyId::WindowState); }

void TCustomForm::SetFormStyle(TFormStyle style) { SetProperty(formStyle_, style, TPropertyId::FormStyle); }

void TCustomForm::SetBorderStyle(TFormBorderStyle style) { SetProperty(borderStyle_, style, TPropertyId::BorderStyle); }

void TCustomForm::SetBorderIcons(TBorderIcons icons) { SetProperty(borderIcons_, icons, TPropertyId::BorderIcons); }

void TCustomForm::SetMenu(TComponent* menu) {
    if (menu == menu_) return;
    if (menu_) menu_->RemoveFreeNotification(this);
    menu_ = menu;
    if (menu) menu->FreeNotification(this);
    Changed(TPropertyId::Menu);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == menu_) menu_ = nullptr;
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift) {
    bool handled = false;
    if (OnShortCut) {
        WORD k = key;
        OnShortCut(k, shift, handled);
    }
    if (!handled)
        if (auto* menu = dynamic_cast<IShortCutHandler*>(menu_)) handled = menu->IsShortCut(key, shift);
    return handled;
}

bool TCustomForm::DialogKey(WORD key, TShiftState shift) {
    if (!shift.Contains(ssAlt)) {
        if (key == VK_TAB && !shift.Contains(ssCtrl)) {
            SelectNext(activeControl_, !shift.Contains(ssShift), true);
            return true;
        }
        if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
            if (!activeControl_ || !activeControl_->Parent()) return false;
            activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
            return true;
        }
    }
    return TWinControl::DialogKey(key, shift);
}

void TCustomForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_CLOSE: Close(); return;
        case CM_RELEASE: Free(); return;  // nothing may touch the form after this
        case WM_PAINT:
            paintPending_ = false;
            Paint();
            return;
        case WM_NEXTDLGCTL:
            if (message.LParam != 0) {
                if (TWinControl* target = WindowRegistry().Find(static_cast<HWND>(message.WParam))) target->SetFocus();
            } else {
                SelectNext(activeControl_, message.WParam == 0, true);
            }
            return;
        default: TWinControl::Dispatch(message);
    }
}

void TCustomForm::Invalidate() {
    if (Peer()) {
        TWinControl::Invalidate();
    } else if (Visible() && !paintPending_) {
        paintPending_ = true;
        Application->PostMessage(Handle(), WM_PAINT, 0, 0);
    }
}
