// Pictures of windows, and Chinese captions drawn as glyphs rather than boxes.
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPushButton>

#include "tests/qt/QtTestSupport.h"

using ScreenshotTest = QtTest;

namespace {

// The pixels of a button's area in a picture of the form.
QImage ButtonArea(TCustomForm* form, TButton* button, const std::filesystem::path& file) {
    EXPECT_TRUE(GrabWindowToPng(form, file.string()));
    QImage picture(QString::fromStdString(file.string()));
    EXPECT_FALSE(picture.isNull());
    std::filesystem::remove(file);
    return picture.copy(button->Left(), button->Top(), button->Width(), button->Height()).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST_F(ScreenshotTest, ChineseCaptionsRenderAsGlyphs) {
    // The CJK font the setup installs has the characters.
    QFontMetrics cjk(QFont("WenQuanYi Micro Hei"));
    for (char32_t ch : std::u32string(U"文档信息录入作业")) EXPECT_TRUE(cjk.inFontUcs4(ch)) << static_cast<unsigned>(ch);

    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(0, 0, 240, 80);
    TButton* button = AddButton(form, "btnText", 10, 10);
    button->SetBounds(10, 10, 200, 40);
    button->Font()->SetHeight(-20);
    button->SetCaption("");
    std::filesystem::path file = TempFile("caption.png");
    QImage blank = ButtonArea(form, button, file);  // a hidden form can be pictured too
    button->SetCaption("文档");
    QImage first = ButtonArea(form, button, file);
    button->SetCaption("信息");
    QImage second = ButtonArea(form, button, file);
    button->SetCaption("口口");
    QImage boxes = ButtonArea(form, button, file);

    EXPECT_NE(first, blank) << "something is drawn";
    EXPECT_NE(first, second) << "different characters look different (missing glyphs all draw the same box)";
    EXPECT_NE(first, boxes);
    EXPECT_NE(second, boxes);

    // A shown window's picture has its size.
    form->Show();
    ASSERT_TRUE(GrabWindowToPng(form, file.string()));
    QImage shown(QString::fromStdString(file.string()));
    std::filesystem::remove(file);
    EXPECT_EQ(shown.size(), QSize(240, 80));
    EXPECT_FALSE(GrabWindowToPng(nullptr, file.string()));
}

TEST_F(ScreenshotTest, LatinAndChineseLettersComeFromTheOneUiFace) {
    // The Windows faces programs name draw with the CJK UI face, Latin letters included.
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(0, 0, 240, 80);
    TButton* button = AddButton(form, "btnFace", 10, 10);
    form->Show();
    for (const char* face : {"SimSun", "MS Sans Serif", "Tahoma", "宋体"}) {
        button->Font()->SetName(face);
        ProcessQtEvents();
        EXPECT_EQ(QFontInfo(WidgetOf(button)->font()).family().toStdString(), "WenQuanYi Micro Hei") << face;
    }
    button->Font()->SetName("Courier New");
    ProcessQtEvents();
    EXPECT_EQ(QFontInfo(WidgetOf(button)->font()).family().toStdString(), "WenQuanYi Micro Hei Mono")
        << "a fixed-pitch face stays fixed-pitch";
    EXPECT_EQ(QFontInfo(QApplication::font()).family().toStdString(), "WenQuanYi Micro Hei") << "the default face";
}
