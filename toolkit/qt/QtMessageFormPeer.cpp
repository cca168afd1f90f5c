// The message dialog's window: the icon of its type and its text beside the buttons the toolkit
// made, laid out with the real font metrics (the headless layout only estimates the text).
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QStyle>

#include <algorithm>

#include "toolkit/qt/QtConvert.h"
#include "toolkit/qt/QtFormPeer.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Button.h"

namespace {

constexpr int kMargin = 12;
constexpr int kSpacing = 8;
constexpr int kIconSize = 32;
constexpr int kButtonHeight = 25;
constexpr int kButtonMinWidth = 75;
constexpr int kTitleBarButtons = 64;

class TQtMessageFormPeer : public TQtFormPeer {
public:
    explicit TQtMessageFormPeer(TMessageForm& form) : TQtFormPeer(form) {
        icon_ = new QLabel(Container());
        icon_->setObjectName("Image");
        text_ = new QLabel(Container());
        text_->setObjectName("Message");
        text_->setTextFormat(Qt::PlainText);
        text_->setWordWrap(true);
        text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

protected:
    void ShowVisible() override {
        if (Form().Visible() && !laidOut_) {
            laidOut_ = true;
            Layout();
        }
        TQtFormPeer::ShowVisible();
    }

private:
    TMessageForm& Message() const { return static_cast<TMessageForm&>(Form()); }

    QStyle::StandardPixmap IconOf(TMsgDlgType type) const {
        switch (type) {
            case mtWarning: return QStyle::SP_MessageBoxWarning;
            case mtError: return QStyle::SP_MessageBoxCritical;
            case mtInformation: return QStyle::SP_MessageBoxInformation;
            default: return QStyle::SP_MessageBoxQuestion;
        }
    }

    void Layout() {
        QFont font = ToQFont(*Form().Font());
        QFontMetrics metrics(font);
        bool hasIcon = Message().DlgType() != mtCustom;
        int iconWidth = hasIcon ? kIconSize + kSpacing : 0;
        if (hasIcon) {
            icon_->setPixmap(QApplication::style()->standardIcon(IconOf(Message().DlgType())).pixmap(kIconSize, kIconSize));
            icon_->setGeometry(kMargin, kMargin, kIconSize, kIconSize);
            icon_->show();
        } else {
            icon_->hide();
        }
        QString text = ToQString(Message().MessageText());
        int maxTextWidth = std::max(200, Screen->Width() * 3 / 4 - 2 * kMargin - iconWidth);
        QRect textRect = metrics.boundingRect(QRect(0, 0, maxTextWidth, 0), Qt::TextWordWrap | Qt::TextExpandTabs, text);
        text_->setFont(font);
        text_->setText(text);

        std::vector<TButton*> buttons;
        for (TControl* child : Form().ControlList())
            if (auto* button = dynamic_cast<TButton*>(child)) buttons.push_back(button);
        QFont buttonFont = ToQFont(*Form().Font());
        QFontMetrics buttonMetrics(buttonFont);
        std::vector<int> widths;
        int buttonsWidth = 0;
        for (TButton* button : buttons) {
            QString caption = ToQString(button->Caption()).remove('&');
            int width = std::max(kButtonMinWidth, buttonMetrics.horizontalAdvance(caption) + 24);
            widths.push_back(width);
            buttonsWidth += width;
        }
        if (!buttons.empty()) buttonsWidth += static_cast<int>(buttons.size() - 1) * kSpacing;

        // The title shows whole too, beside the title bar's close button.
        int titleWidth = QFontMetrics(QApplication::font("QWorkspaceTitleBar")).horizontalAdvance(ToQString(Form().Caption())) +
                         kTitleBarButtons - 2 * kMargin;
        int contentWidth = std::max({iconWidth + textRect.width(), buttonsWidth, titleWidth});
        int textHeight = std::max(textRect.height(), hasIcon ? kIconSize : 0);
        int clientWidth = contentWidth + 2 * kMargin;
        int buttonsTop = kMargin + textHeight + 2 * kSpacing;
        int clientHeight = buttonsTop + kButtonHeight + kMargin;
        text_->setGeometry(kMargin + iconWidth, kMargin, textRect.width() + 2, textHeight);
        text_->show();

        int left = (clientWidth - buttonsWidth) / 2;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            buttons[i]->SetBounds(left, buttonsTop, widths[i], kButtonHeight);
            left += widths[i] + kSpacing;
        }
        QRect screen =
            QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry() : QRect(0, 0, 1024, 768);
        Form().SetBounds(screen.x() + (screen.width() - clientWidth) / 2, screen.y() + (screen.height() - clientHeight) / 2,
                         clientWidth, clientHeight);
        // The window is laid out while its peer is being made, before the form reports its bounds
        // to the peer: show them here.
        ShowBounds();
    }

    QLabel* icon_;
    QLabel* text_;
    bool laidOut_ = false;
};

const TQtPeerRegistration registration("TMessageForm", [](TControl& control) {
    return std::make_unique<TQtMessageFormPeer>(static_cast<TMessageForm&>(control));
});

}  // namespace
