#pragma once
// The window of a form: a top-level widget whose client area holds the controls' widgets (below
// the menu bar when the form has a menu). Closing the window asks the form to close; resizing,
// moving and activating it are told to the form.
#include <QVBoxLayout>

#include "toolkit/qt/QtPaintBox.h"
#include "toolkit/qt/QtPeer.h"
#include "toolkit/ui/kernel/Forms.h"

class TQtFormPeer : public TQtPeer {
public:
    explicit TQtFormPeer(TCustomForm& form);
    ~TQtFormPeer() override;

    TCustomForm& Form() const { return static_cast<TCustomForm&>(Control()); }
    QWidget* Container() const override { return client_; }
    QWidget* FocusWidget() const override { return client_; }
    // The slot above the client area (menu bars); nullptr removes what is there.
    void SetMenuWidget(QWidget* widget);

    // Focuses the widget of the form's active control (or the client area).
    void ShowFocus();
    // Raises and activates the window.
    void Activate();

    void Invalidate(TControl& control) override { client_->update(); }

protected:
    void Update(TPropertyId property) override;
    void ShowCaption() override;
    void ShowBounds() override;
    void ShowVisible() override;
    void ShowColor() override;
    void ShowWindowState();
    void ShowWindowFlags();
    void ShowMenu();
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Paints the client area (the form's OnPaint through WM_PAINT).
    virtual void PaintClient(QPainter& painter, const QRect& area);

private:
    bool TopLevel() const { return Form().Parent() == nullptr; }
    // Whether a window other than this one is shown modally.
    bool OtherModalShowing();

    QVBoxLayout* layout_;
    QWidget* menuWidget_ = nullptr;
    TQtPaintBox* client_;
};
