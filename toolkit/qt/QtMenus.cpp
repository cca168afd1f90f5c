#include "toolkit/qt/QtMenus.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidgetAction>

#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtConvert.h"
#include "toolkit/qt/QtPeer.h"
#include "toolkit/ui/kernel/Hotkey.h"

namespace {

QString ItemText(const TMenuItem& item) {
    QString text = ToQString(item.Caption());
    if (item.ShortCut() != scNone) text += '\t' + ToQString(ShortCutToText(item.ShortCut()));
    return text;
}

void ClickItem(const TComponentRef<TMenuItem>& item) {
    if (item) RunGuarded([&] { item->Click(); });
}

// An item of an owner-drawn menu: the item paints itself (OnDrawItem), highlighted under the mouse;
// a click closes the menu and clicks the item.
class TQtDrawnMenuItem : public QWidget {
public:
    TQtDrawnMenuItem(TMenuItem& item, QMenu& menu) : item_(&item), menu_(&menu) {
        setObjectName(ToQString(item.Name()));
        setMouseTracking(true);
        setAttribute(Qt::WA_Hover);
        TQtCanvas measure;
        int width = measure.TextWidth(StripHotkey(item.Caption())) + 40, height = measure.TextHeight("Wg") + 8;
        if (item.OnMeasureItem) RunGuarded([&] { item.OnMeasureItem(&item, &measure, width, height); });
        setMinimumSize(width, height);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!item_) return;
        QPainter painter(this);
        TQtCanvas canvas(&painter);
        RunGuarded([&] { item_->PaintItem(canvas, {0, 0, width(), height()}, underMouse()); });
    }
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
        TComponentRef<TMenuItem> item = item_;
        if (menu_) menu_->close();
        ClickItem(item);
    }

private:
    TComponentRef<TMenuItem> item_;
    QPointer<QMenu> menu_;
};

QAction* AddItem(QWidget& target, TMenuItem& item) {
    TComponentRef<TMenuItem> ref(&item);
    TMenu* owner = item.GetParentMenu();
    auto* menu = qobject_cast<QMenu*>(&target);
    if (menu && owner && owner->OwnerDraw() && item.OnDrawItem && item.Count() == 0) {
        auto* action = new QWidgetAction(&target);
        action->setObjectName(ToQString(item.Name()));
        action->setEnabled(item.Enabled());
        action->setDefaultWidget(new TQtDrawnMenuItem(item, *menu));
        target.addAction(action);
        return action;
    }
    if (item.Count() > 0) {
        auto* sub = new QMenu(ToQString(item.Caption()), &target);
        sub->setObjectName(ToQString(item.Name()));
        sub->setEnabled(item.Enabled());
        QObject::connect(sub, &QMenu::aboutToShow, sub, [ref, sub] {
            ClickItem(ref);  // the program may change the sub-items here
            sub->clear();
            if (ref) FillQtMenu(*sub, *ref.Get());
        });
        FillQtMenu(*sub, item);
        QAction* action = sub->menuAction();
        target.addAction(action);
        return action;
    }
    auto* action = new QAction(ItemText(item), &target);
    action->setObjectName(ToQString(item.Name()));
    action->setEnabled(item.Enabled());
    action->setCheckable(item.Checked() || item.RadioItem() || item.AutoCheck());
    action->setChecked(item.Checked());
    QObject::connect(action, &QAction::triggered, action, [ref] { ClickItem(ref); });
    target.addAction(action);
    return action;
}

}  // namespace

void FillQtMenu(QMenu& target, TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine())
            target.addSeparator();
        else
            AddItem(target, *item);
    }
}

TQtMenuBar::TQtMenuBar(TMainMenu& menu) : menu_(&menu) {
    setNativeMenuBar(false);
    menu.SetChangeListener([this](TMenu&, TMenuItem*, bool) { ScheduleRebuild(); });
    Rebuild();
}

TQtMenuBar::~TQtMenuBar() {
    if (menu_) menu_->SetChangeListener(nullptr);
}

void TQtMenuBar::ScheduleRebuild() {
    if (pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] { Rebuild(); });
}

void TQtMenuBar::Rebuild() {
    pending_ = false;
    clear();
    if (!menu_) return;
    TMenuItem* root = menu_->Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (item->Visible() && !item->IsLine()) AddItem(*this, *item);
    }
}

bool TQtMenuBar::OpenFirstMenu() {
    if (!isVisible() || activeAction()) return false;
    for (QAction* action : actions())
        if (action->isVisible() && action->isEnabled()) {
            setActiveAction(action);
            return true;
        }
    return false;
}

void PopupQtMenu(TPopupMenu& menu, int x, int y) {
    auto* popup = new QMenu;
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setObjectName(ToQString(menu.Name()));
    FillQtMenu(*popup, *menu.Items());
    popup->popup(QPoint(x, y));
}
