#pragma once
// How a message box looks on screen: its client area, where its text is drawn and what the whole
// text needs, its buttons and what their captions need, its title and window flags.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <string>
#include <vector>

#include "toolkit/qt/QtPeer.h"
#include "toolkit/ui/dialogs/Dialogs.h"

namespace messagebox {

inline std::string Text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

struct TBoxLook {
    std::string title;
    QRect window;     // the client area, in window coordinates
    QRect text;       // where the text is drawn
    QSize textNeeds;  // what the whole text needs at the label's width
    int lineHeight = 0;
    std::vector<QRect> buttons;
    std::vector<std::string> captions;
    std::vector<int> captionNeeds;  // the width each caption needs
    Qt::WindowFlags flags;
};

inline TBoxLook LookAt(TMessageForm& form) {
    QWidget* window = QtWidgetOf(&form);
    TBoxLook look;
    look.title = window->windowTitle().toStdString();
    look.window = window->rect();
    look.flags = window->windowFlags();
    auto* label = window->findChild<QLabel*>("Message");
    if (label) {
        look.text = QRect(label->mapTo(window, QPoint(0, 0)), label->size());
        look.lineHeight = label->fontMetrics().height();
        look.textNeeds = label->fontMetrics()
                             .boundingRect(QRect(0, 0, label->width(), 0), Qt::TextWordWrap | Qt::TextExpandTabs, label->text())
                             .size();
    }
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        look.buttons.emplace_back(button->mapTo(window, QPoint(0, 0)), button->size());
        look.captions.push_back(button->text().toStdString());
        look.captionNeeds.push_back(button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')));
    }
    return look;
}

inline void ExpectWholeBoxInside(const TBoxLook& look, const std::string& text) {
    EXPECT_TRUE(look.window.contains(look.text)) << text << ": text " << Text(look.text) << " in " << Text(look.window);
    EXPECT_LE(look.textNeeds.width(), look.text.width()) << text;
    EXPECT_LE(look.textNeeds.height(), look.text.height()) << text;
    ASSERT_FALSE(look.buttons.empty());
    for (std::size_t i = 0; i < look.buttons.size(); ++i) {
        EXPECT_TRUE(look.window.contains(look.buttons[i]))
            << look.captions[i] << " " << Text(look.buttons[i]) << " in " << Text(look.window);
        EXPECT_FALSE(look.buttons[i].intersects(look.text)) << look.captions[i];
        EXPECT_LT(look.captionNeeds[i], look.buttons[i].width()) << look.captions[i];
    }
    EXPECT_FALSE(look.flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(look.flags & Qt::WindowMaximizeButtonHint);
}

}  // namespace messagebox
