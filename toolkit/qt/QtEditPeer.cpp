// One-line edits show in a QLineEdit that mirrors the control's text, caret and selection. Keys go
// to the control (the input router); the mouse places the caret natively and the new caret and
// selection go back into the control. The clipboard keys work on the control's selection.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

#include "toolkit/qt/QtConvert.h"
#include "toolkit/qt/QtPeer.h"
#include "toolkit/ui/widgets/Edit.h"

namespace {

// Characters (code points) to UTF-16 positions of a Qt string and back.
int ToUtf16(const QString& text, int chars) {
    int pos = 0;
    for (int n = 0; n < chars && pos < text.size(); ++n) pos += text.at(pos).isHighSurrogate() ? 2 : 1;
    return pos;
}

int ToChars(const QString& text, int utf16) {
    int chars = 0;
    for (int pos = 0; pos < utf16 && pos < text.size(); ++chars) pos += text.at(pos).isHighSurrogate() ? 2 : 1;
    return chars;
}

class TQtEditPeer : public TQtPeer {
public:
    explicit TQtEditPeer(TCustomEdit& edit) : TQtPeer(edit, new QLineEdit), line_(static_cast<QLineEdit*>(Widget())) {
        QObject::connect(line_, &QLineEdit::selectionChanged, this, [this] { SelectionFromUser(); });
        QObject::connect(line_, &QLineEdit::cursorPositionChanged, this, [this] { SelectionFromUser(); });
    }

    void UnhandledKey(TWinControl& target, const QKeyEvent& event) override {
        if (&target != &Control() || !(event.modifiers() & Qt::ControlModifier)) return;
        TCustomEdit& edit = Edit();
        bool password = !edit.PasswordChar().empty();
        switch (event.key()) {
            case Qt::Key_A: edit.SelectAll(); break;
            case Qt::Key_C:
            case Qt::Key_Insert:
                if (!password && edit.SelLength() > 0) QApplication::clipboard()->setText(ToQString(edit.SelText()));
                break;
            case Qt::Key_X:
                if (!password && edit.SelLength() > 0) {
                    QApplication::clipboard()->setText(ToQString(edit.SelText()));
                    edit.ReplaceSelText("");
                }
                break;
            case Qt::Key_V: edit.ReplaceSelText(FromQString(QApplication::clipboard()->text())); break;
            default: break;
        }
    }

protected:
    TCustomEdit& Edit() const { return static_cast<TCustomEdit&>(Control()); }

    void Update(TPropertyId property) override {
        if (property == TPropertyId::Selection)
            ShowSelection();
        else if (property == TPropertyId::ReadOnly)
            line_->setReadOnly(Edit().ReadOnly());
        else if (property == TPropertyId::PasswordChar)
            ShowCaption();
        else
            TQtPeer::Update(property);
    }
    void ShowCaption() override {
        EchoScope echo(*this);
        line_->setText(ToQString(Edit().DisplayText()));
        line_->setReadOnly(Edit().ReadOnly());
        ShowSelectionNow();
    }
    void ShowSelection() {
        EchoScope echo(*this);
        ShowSelectionNow();
    }
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole ForegroundRole() const override { return QPalette::Text; }
    bool ConsumesMouse() const override { return false; }

private:
    void ShowSelectionNow() {
        QString text = line_->text();
        int start = ToUtf16(text, Edit().SelStart());
        int end = ToUtf16(text, Edit().SelStart() + Edit().SelLength());
        if (end > start)
            line_->setSelection(start, end - start);
        else
            line_->setCursorPosition(start);
    }
    void SelectionFromUser() {
        if (Echoing()) return;
        QString text = line_->text();
        int start = line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
        int length = line_->hasSelectedText() ? line_->selectionLength() : 0;
        int startChars = ToChars(text, start);
        int lengthChars = ToChars(text, start + length) - startChars;
        EchoScope echo(*this);
        RunGuarded([&] {
            Edit().SetSelStart(startChars);
            Edit().SetSelLength(lengthChars);
        });
    }

    QLineEdit* line_;
};

const TQtPeerRegistration registration("TCustomEdit", [](TControl& control) {
    return std::make_unique<TQtEditPeer>(static_cast<TCustomEdit&>(control));
});
// Memos paint themselves (several lines, word wrap).
const TQtPeerRegistration memo("TCustomMemo", [](TControl& control) { return MakeQtPaintPeer(control); });

}  // namespace
