// Control families on the Qt renderer: edits mirror their text and caret, painted controls take
// clicks and the wheel, combo boxes drop down, menus are Qt menus, file dialogs are Qt's, and the
// canvas measures with real fonts.
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidgetAction>

#include "tests/qt/QtTestSupport.h"
#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtFileDialogService.h"
#include "toolkit/qt/QtUserInput.h"
#include "toolkit/ui/dialogs/FileDialogs.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/ListBox.h"
#include "toolkit/ui/widgets/Menus.h"

using ControlsTest = QtTest;

namespace {

template <class T>
T* Add(TCustomForm* form, const std::string& name, int left, int top, int width, int height) {
    auto* control = CreateComponent<T>(form);
    control->SetName(name);
    control->SetBounds(left, top, width, height);
    control->SetParent(form);
    return control;
}

QWidget* VisiblePopup() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && (widget->windowFlags() & Qt::Popup) == Qt::Popup) return widget;
    return nullptr;
}

}  // namespace

TEST_F(ControlsTest, EditsTakeTypedTextAndMirrorTextAndCaret) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(0, 0, 300, 120);
    auto* edit = Add<TEdit>(form, "edName", 10, 10, 200, 22);
    auto* other = Add<TEdit>(form, "edOther", 10, 40, 200, 22);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    std::u32string previewed;
    form->SetKeyPreview(true);
    form->OnKeyPress = [&](TObject*, char32_t& ch) {
        previewed += ch;
        if (ch == U'x') ch = U'X';  // the form may change a typed character
    };
    form->Show();
    edit->SetFocus();
    ProcessQtEvents();
    auto* line = qobject_cast<QLineEdit*>(WidgetOf(edit));
    ASSERT_NE(line, nullptr);

    TypeText("ax文档");
    EXPECT_EQ(edit->Text(), "aX文档");
    EXPECT_EQ(previewed, U"ax文档");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(line->text(), QString::fromUtf8("aX文档"));
    EXPECT_EQ(line->cursorPosition(), 4);

    // Caret keys go to the control; the widget shows where its caret is.
    PressKeys("Home");
    PressKeys("Shift+Right");
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 1);
    EXPECT_EQ(line->selectedText(), QString("a"));
    PressKeys("Delete");
    EXPECT_EQ(edit->Text(), "X文档");

    // A click in the text places the control's caret.
    QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(line->width() - 5, line->height() / 2));
    ProcessQtEvents();
    EXPECT_EQ(edit->SelStart(), 3);
    EXPECT_EQ(edit->SelLength(), 0);

    // The clipboard keys work on the control's selection.
    PressKeys("Ctrl+A");
    PressKeys("Ctrl+C");
    other->SetFocus();
    PressKeys("Ctrl+V");
    EXPECT_EQ(other->Text(), "X文档");
    // A password character reaches the widget at once, keeps the text off the clipboard and, taken
    // away, shows the text again.
    edit->SetPasswordChar("*");
    EXPECT_EQ(line->text(), QString("***"));
    QApplication::clipboard()->clear();
    edit->SetFocus();
    PressKeys("Ctrl+A");
    PressKeys("Ctrl+C");
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
    edit->SetPasswordChar("");
    EXPECT_EQ(line->text(), QString::fromUtf8("X文档"));
    edit->SetReadOnly(true);
    EXPECT_TRUE(line->isReadOnly());
}

TEST_F(ControlsTest, PaintedControlsTakeClicksAndTheWheel) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(0, 0, 300, 300);
    auto* check = Add<TCheckBox>(form, "chkActive", 10, 10, 150, 20);
    check->SetCaption("有效");
    auto* list = Add<TListBox>(form, "lbItems", 10, 40, 200, 100);
    for (int i = 0; i < 50; ++i) list->Items()->Add("行 " + std::to_string(i));
    int checkClicks = 0;
    check->OnClick = [&](TObject*) { ++checkClicks; };
    form->Show();
    ProcessQtEvents();

    ClickControl(check);
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(checkClicks, 1);
    EXPECT_EQ(form->ActiveControl(), check);
    PressKeys("Space");
    EXPECT_FALSE(check->Checked());

    // A click picks the row under the mouse; the wheel scrolls.
    ClickControlAt(list, 20, list->ItemRect(2).Top + 3);
    EXPECT_EQ(list->ItemIndex(), 2);
    QWidget* widget = WidgetOf(list);
    QWheelEvent wheel(QPointF(20, 20), widget->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
    EXPECT_EQ(list->TopIndex(), 3);
    EXPECT_EQ(list->ItemIndex(), 2) << "scrolling does not select";
    // A wheel handler that takes the turn keeps the list where it is.
    int turns = 0;
    list->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        turns += delta;
        handled = true;
    };
    QApplication::sendEvent(widget, &wheel);
    EXPECT_EQ(turns, -120);
    EXPECT_EQ(list->TopIndex(), 3);
    list->OnMouseWheel = nullptr;

    // What the control paints shows in the window.
    std::filesystem::path file = TempFile("painted.png");
    ASSERT_TRUE(GrabWindowToPng(form, file.string()));
    QImage picture(QString::fromStdString(file.string()));
    std::filesystem::remove(file);
    QImage area = picture.copy(QRect(12, 42, 150, 60)).convertToFormat(QImage::Format_RGB32);
    int colours = 0;
    QRgb first = area.pixel(0, 0);
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) colours += area.pixel(x, y) != first;
    EXPECT_GT(colours, 50) << "the list's rows are drawn";
}

TEST_F(ControlsTest, ComboBoxesDropDownAndPickWithTheMouse) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(0, 0, 300, 200);
    auto* combo = Add<TComboBox>(form, "cboType", 10, 10, 150, 22);
    combo->SetStyle(csDropDownList);
    for (const char* item : {"1 实体", "2 视图", "3 临时"}) combo->Items()->Add(item);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    ProcessQtEvents();

    ClickControl(combo);
    EXPECT_TRUE(combo->DroppedDown());
    QWidget* popup = VisiblePopup();
    ASSERT_NE(popup, nullptr);
    int rowHeight = std::max(combo->ItemHeight(), 16);
    QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier, QPoint(10, 1 + rowHeight + rowHeight / 2));
    ProcessQtEvents();
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "2 视图");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(VisiblePopup(), nullptr);

    // F4 drops it down from the keyboard; Esc in the list closes it.
    combo->SetFocus();
    PressKeys("F4");
    ASSERT_TRUE(combo->DroppedDown());
    popup = VisiblePopup();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Escape);
    ProcessQtEvents();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ControlsTest, MenusAreQtMenusThatClickTheItems) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(0, 0, 300, 200);
    auto* mainMenu = CreateComponent<TMainMenu>(form);
    auto* file = CreateComponent<TMenuItem>(form);
    file->SetName("miFile");
    file->SetCaption("文件(&F)");
    auto* save = CreateComponent<TMenuItem>(form);
    save->SetName("miSave");
    save->SetCaption("保存");
    save->SetShortCut(ShortCut('S', {ssCtrl}));
    file->Add(save);
    mainMenu->Items()->Add(file);
    int saves = 0;
    save->OnClick = [&](TObject*) { ++saves; };
    form->SetMenu(mainMenu);
    form->Show();
    ProcessQtEvents();

    auto* bar = Window(form)->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    QMenu* fileMenu = bar->actions()[0]->menu();
    ASSERT_NE(fileMenu, nullptr);
    EXPECT_EQ(bar->actions()[0]->text(), QString::fromUtf8("文件(&F)"));
    ASSERT_EQ(fileMenu->actions().size(), 1);
    EXPECT_EQ(fileMenu->actions()[0]->text(), QString::fromUtf8("保存\tCtrl+S"));
    fileMenu->actions()[0]->trigger();
    EXPECT_EQ(saves, 1);
    // The shortcut is the form's, through its key handling.
    PressKeys("Ctrl+S", form);
    EXPECT_EQ(saves, 2);
    // Changes to the menu show after the event that made them.
    save->SetEnabled(false);
    ProcessQtEvents();
    fileMenu = bar->actions()[0]->menu();
    EXPECT_FALSE(fileMenu->actions()[0]->isEnabled());

    // A control's pop-up menu opens on a right click and clicks what is chosen.
    auto* popupMenu = CreateComponent<TPopupMenu>(form);
    auto* copy = CreateComponent<TMenuItem>(form);
    copy->SetName("miCopy");
    copy->SetCaption("复制");
    popupMenu->Items()->Add(copy);
    int copies = 0;
    copy->OnClick = [&](TObject*) { ++copies; };
    auto* list = Add<TListBox>(form, "lbItems", 10, 10, 200, 100);
    list->SetPopupMenu(popupMenu);
    ProcessQtEvents();
    QContextMenuEvent context(QContextMenuEvent::Mouse, QPoint(5, 5), WidgetOf(list)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(WidgetOf(list), &context);
    auto* shown = qobject_cast<QMenu*>(VisiblePopup());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(popupMenu->PopupComponent(), list);
    shown->actions()[0]->trigger();
    shown->close();
    ProcessQtEvents();
    EXPECT_EQ(copies, 1);
}

TEST_F(ControlsTest, AnOwnerDrawnPopUpMenuPaintsItsItemsAndClicksThem) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(0, 0, 300, 200);
    auto* menu = CreateComponent<TPopupMenu>(form);
    menu->SetName("pmRules");
    menu->SetOwnerDraw(true);
    auto* rule = CreateComponent<TMenuItem>(form);
    rule->SetName("mnuRule");
    rule->SetCaption("红色");
    menu->Items()->Add(rule);
    auto* plain = CreateComponent<TMenuItem>(form);
    plain->SetName("mnuPlain");
    plain->SetCaption("普通");
    menu->Items()->Add(plain);
    int clicks = 0;
    std::vector<bool> hot;
    rule->OnClick = [&](TObject*) { ++clicks; };
    rule->OnDrawItem = [&](TObject*, TCanvas* canvas, TRect rect, bool selected) {
        hot.push_back(selected);
        canvas->Brush()->SetColor(RGB(255, 0, 0));
        canvas->FillRect(rect);
    };
    form->Show();
    ProcessQtEvents();
    menu->Popup(10, 10);
    ProcessQtEvents();
    auto* shown = qobject_cast<QMenu*>(VisiblePopup());
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->actions().size(), 2);
    auto* drawn = qobject_cast<QWidgetAction*>(shown->actions()[0]);
    ASSERT_NE(drawn, nullptr) << "the item that draws itself";
    EXPECT_EQ(qobject_cast<QWidgetAction*>(shown->actions()[1]), nullptr) << "an item without a drawing stays a plain one";
    QWidget* item = drawn->defaultWidget();
    ASSERT_NE(item, nullptr);
    const QImage picture = item->grab().toImage();
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(255, 0, 0));
    EXPECT_FALSE(hot.empty());
    QPointer<QMenu> open(shown);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(item->width() / 2, item->height() / 2));
    ProcessQtEvents();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(!open || !open->isVisible()) << "choosing the item closes the menu";
}

TEST_F(ControlsTest, FileDialogsAreQtDialogs) {
    auto* dialog = CreateComponent<TSaveDialog>(Application);
    dialog->SetFilter("Excel 文件 (*.xls)|*.xls|所有文件 (*.*)|*.*");
    dialog->SetDefaultExt("xls");
    dialog->SetInitialDir(std::filesystem::temp_directory_path().string());
    QString title;
    QStringList filters;
    QTimer::singleShot(0, [&] {
        auto* qt = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(qt, nullptr);
        title = qt->windowTitle();
        filters = qt->nameFilters();
        qt->selectFile("report");
        static_cast<QDialog*>(qt)->accept();
    });
    dialog->SetTitle("导出");
    ASSERT_TRUE(dialog->Execute());
    EXPECT_EQ(title, QString::fromUtf8("导出"));
    EXPECT_EQ(filters.size(), 2);
    EXPECT_EQ(std::filesystem::path(dialog->FileName()).filename(), "report.xls");
    EXPECT_EQ(QtNameFilters("Text|*.txt;*.log|All|*.*"), "Text (*.txt *.log);;All (*.*)");

    QTimer::singleShot(0, [] {
        if (auto* qt = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) qt->reject();
    });
    EXPECT_FALSE(dialog->Execute());
    dialog->Free();
}

TEST_F(ControlsTest, CanvasMeasuresWithRealFonts) {
    auto* form = CreateComponent<TForm>(Application);
    auto* edit = Add<TEdit>(form, "edName", 10, 10, 200, 22);
    edit->Font()->SetHeight(-16);
    TCanvas* canvas = edit->Canvas();  // the renderer's measure canvas
    int ascii = canvas->TextWidth("ab");
    int chinese = canvas->TextWidth("文档");
    EXPECT_GT(ascii, 0);
    EXPECT_GT(chinese, ascii) << "wide characters are wider";
    EXPECT_GE(canvas->TextHeight("文档"), 16);
    edit->Font()->SetHeight(-32);
    EXPECT_GT(edit->Canvas()->TextWidth("文档"), chinese) << "a bigger font measures bigger";
    EXPECT_FALSE(Screen->Fonts()->Count() == 0) << "the installed fonts are listed";
    EXPECT_GE(Screen->Fonts()->IndexOf("WenQuanYi Micro Hei"), 0);
}
