#include "toolkit/qt/QtMenus.h"

#include <QKeyEvent>
#include <QTimer>

#include "toolkit/qt/QtConvert.h"
#include "toolkit/qt/QtPeer.h"

namespace {

QString ItemText(const TMenuItem& item) {
    QString text = ToQString(item.Caption());
    if (item.ShortCut() != scNone) text += '\t' + ToQString(ShortCutToText(item.ShortCut()));
    return text;
}

void ClickItem(const TComponentRef<TMenuItem>& item) {
    if (item) RunGuarded([&] { item->Click(); });
}

QAction* AddItem(QWidget& target, TMenuItem& item) {
    TComponentRef<TMenuItem> ref(&item);
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
