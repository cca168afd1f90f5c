// Push buttons look native; the toolkit button does the clicking (it hears the mouse and keys), so
// the widget only shows itself pressed while the left button is down on it.
#include <QMouseEvent>
#include <QPushButton>

#include "toolkit/qt/QtConvert.h"
#include "toolkit/qt/QtPeer.h"
#include "toolkit/ui/kernel/Hotkey.h"
#include "toolkit/ui/widgets/Button.h"

namespace {

class TQtButtonPeer : public TQtPeer {
public:
    explicit TQtButtonPeer(TButton& button) : TQtPeer(button, new QPushButton), button_(static_cast<QPushButton*>(Widget())) {
        button_->setAutoDefault(false);
    }

protected:
    void Update(TPropertyId property) override {
        if (property == TPropertyId::Default)
            ShowDefault();
        else
            TQtPeer::Update(property);
    }
    void ShowCaption() override {
        button_->setText(ToQString(Control().Caption()));
        ShowDefault();
    }
    void ShowDefault() { button_->setDefault(static_cast<TButton&>(Control()).Default()); }
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Button; }
    QPalette::ColorRole ForegroundRole() const override { return QPalette::ButtonText; }
    void MouseRouted(const QEvent& event) override {
        auto& mouse = static_cast<const QMouseEvent&>(event);
        if (mouse.button() != Qt::LeftButton) return;
        if (event.type() == QEvent::MouseButtonPress)
            button_->setDown(true);
        else if (event.type() == QEvent::MouseButtonRelease)
            button_->setDown(false);
    }

private:
    QPushButton* button_;
};

const TQtPeerRegistration registration("TButton", [](TControl& control) {
    return std::make_unique<TQtButtonPeer>(static_cast<TButton&>(control));
});

}  // namespace
