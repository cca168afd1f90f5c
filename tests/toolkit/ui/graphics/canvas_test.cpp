// The recording canvas and its font model, bitmaps with pixels, transparency, scaling and BMP
// files, image lists, and controls painting themselves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/widgets/ExtCtrls.h"
#include "toolkit/ui/widgets/StdCtrls.h"

TEST(Canvas, RecordsWhatIsDrawnWithTheHeadlessFontModel) {
    TRecordingCanvas canvas;
    canvas.Font()->SetSize(9);
    EXPECT_EQ(canvas.TextExtent("ab"), (TSize{14, 16})) << "ASCII characters are 7 pixels wide at size 9";
    EXPECT_EQ(canvas.TextWidth("文档a"), 35) << "wide characters are 14";
    EXPECT_EQ(canvas.TextHeight(""), 16);
    canvas.Font()->SetSize(18);
    EXPECT_EQ(canvas.TextExtent("a"), (TSize{14, 32}));
    canvas.Font()->SetSize(9);

    canvas.Brush()->SetColor(clYellow);
    canvas.FillRect(Rect(0, 0, 10, 10));
    canvas.SetOrigin({100, 50});
    canvas.Font()->SetColor(clRed);
    canvas.TextOut(5, 5, "hello");
    EXPECT_EQ(canvas.PenPos(), (TPoint{40, 5})) << "the pen ends after the text";
    canvas.Brush()->SetStyle(bsClear);
    canvas.FillRect(Rect(0, 0, 50, 50));
    canvas.TextRect(Rect(0, 20, 30, 40), "right", TTextFormat{tfRight});
    canvas.Pen()->SetColor(clBlue);
    canvas.MoveTo(0, 0);
    canvas.LineTo(10, 10);

    const std::vector<TCanvasOp>& ops = canvas.Ops();
    ASSERT_EQ(ops.size(), 4u) << "a clear brush fills nothing";
    EXPECT_EQ(ops[0].BrushColor, clYellow);
    EXPECT_EQ(ops[1].Text, "hello");
    EXPECT_EQ(ops[1].From, (TPoint{105, 55})) << "drawing is moved by the origin";
    EXPECT_EQ(ops[1].FontColor, clRed);
    EXPECT_EQ(ops[1].FontSize, 9);
    EXPECT_EQ(ops[2].From, (TPoint{130 - 35, 70})) << "right-aligned in its rectangle";
    EXPECT_EQ(ops[2].Clip, Rect(100, 70, 130, 90));
    EXPECT_EQ(ops[3].Kind, TCanvasOp::opLine);
    EXPECT_EQ(ops[3].To, (TPoint{110, 60}));
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"hello", "right"}));
    EXPECT_EQ(canvas.TextsIn(Rect(0, 0, 120, 60)), (std::vector<std::string>{"hello"}));
    EXPECT_EQ(canvas.FillAt({5, 5})->BrushColor, clYellow);
    EXPECT_EQ(canvas.FillAt({50, 50}), nullptr);
}

TEST(Canvas, BitmapsDrawIntoTheirPixelsAndReadAndWriteFiles) {
    TBitmap target(6, 4);
    TCanvas* canvas = target.Canvas();
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(Rect(0, 0, 6, 4));
    EXPECT_EQ(target.Pixel(5, 3), clBlue);
    canvas->Brush()->SetColor(clRed);
    canvas->FrameRect(Rect(1, 1, 5, 4));
    EXPECT_EQ(target.Pixel(1, 1), clRed);
    EXPECT_EQ(target.Pixel(2, 2), clBlue) << "a frame leaves the inside alone";
    canvas->SetPixels(0, 0, clWindow);
    EXPECT_EQ(canvas->Pixels(0, 0), ColorToRGB(clWindow)) << "system colours are stored resolved";
    EXPECT_EQ(target.Pixel(9, 9), clNone);
    canvas->Pen()->SetColor(clLime);
    canvas->MoveTo(0, 3);
    canvas->LineTo(6, 3);
    EXPECT_EQ(target.Pixel(4, 3), clLime);

    // A transparent bitmap leaves its bottom-left colour out.
    TBitmap stamp(2, 2);
    stamp.SetPixel(0, 0, clYellow);
    stamp.SetPixel(1, 0, clWhite);
    stamp.SetPixel(0, 1, clWhite);
    stamp.SetPixel(1, 1, clBlack);
    stamp.SetTransparent(true);
    EXPECT_EQ(stamp.EffectiveTransparentColor(), clWhite);
    TBitmap back(4, 4);
    back.Canvas()->Brush()->SetColor(clGreen);
    back.Canvas()->FillRect(Rect(0, 0, 4, 4));
    back.Canvas()->Draw(1, 1, &stamp);
    EXPECT_EQ(back.Pixel(1, 1), clYellow);
    EXPECT_EQ(back.Pixel(2, 1), clGreen);
    EXPECT_EQ(back.Pixel(2, 2), clBlack);
    stamp.SetTransparentColor(clBlack);
    back.Canvas()->Draw(1, 1, &stamp);
    EXPECT_EQ(back.Pixel(2, 1), clWhite);
    EXPECT_EQ(back.Pixel(2, 2), clBlack) << "the fixed colour is the transparent one now";
    // Stretching repeats pixels.
    stamp.SetTransparent(false);
    TBitmap big(4, 4);
    big.Canvas()->StretchDraw(Rect(0, 0, 4, 4), &stamp);
    EXPECT_EQ(big.Pixel(1, 1), clYellow);
    EXPECT_EQ(big.Pixel(3, 3), clBlack);

    // BMP files round-trip; broken ones are refused.
    TBitmap copy;
    copy.LoadFromBytes(back.SaveToBytes());
    EXPECT_TRUE(copy.SameImage(back));
    EXPECT_THROW(copy.LoadFromBytes({'B', 'M', 0, 1}), EInOutError);
    EXPECT_THROW(copy.LoadFromFile("/nonexistent/stamp.bmp"), EInOutError);
    // An 8-bit image with a palette (2x1: palette entries red and blue).
    std::vector<std::uint8_t> bmp = {'B', 'M', 66, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0,   0, 40,  0, 0, 0, 2, 0, 0, 0,
                                     1,   0,   0,  0, 1, 0, 8, 0, 0, 0, 0,  0, 4,   0, 0,   0, 0, 0, 0, 0, 0, 0,
                                     0,   0,   2,  0, 0, 0, 0, 0, 0, 0, 0,  0, 255, 0, 255, 0, 0, 0, 1, 0, 0, 0};
    copy.LoadFromBytes(bmp);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.Pixel(0, 0), clBlue);
    EXPECT_EQ(copy.Pixel(1, 0), clRed);
}

TEST(Canvas, ImageListsCutAddAndDrawImages) {
    TOwnedPtr<TImageList> list(CreateComponent<TImageList>(nullptr));
    list->SetWidth(2);
    list->SetHeight(2);
    TBitmap strip(6, 2);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 2; ++y) strip.SetPixel(x, y, x < 2 ? clRed : x < 4 ? clLime : clBlue);
    EXPECT_EQ(list->Add(&strip), 0);
    EXPECT_EQ(list->Count(), 3) << "a strip is cut into images of the list's width";
    TBitmap image;
    list->GetBitmap(1, &image);
    EXPECT_EQ(image.Pixel(1, 1), clLime);
    EXPECT_THROW(list->GetBitmap(3, &image), EListError);

    TBitmap target(4, 2);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 4, 2));
    list->Draw(target.Canvas(), 2, 0, 2);
    EXPECT_EQ(target.Pixel(3, 1), clBlue);
    EXPECT_EQ(target.Pixel(1, 1), clWhite);
    list->Draw(target.Canvas(), 0, 0, 0, false);
    std::int32_t grey = target.Pixel(0, 0);
    EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF) << "a disabled image is drawn in grey";
    EXPECT_NE(grey, ColorToRGB(clRed));

    // A masked image leaves its mask colour out when drawn.
    TBitmap dotted(2, 2);
    dotted.SetPixel(0, 0, clFuchsia);
    dotted.SetPixel(1, 1, clFuchsia);
    int index = list->AddMasked(&dotted, clFuchsia);
    EXPECT_EQ(index, 3);
    list->Draw(target.Canvas(), 2, 0, index);
    EXPECT_EQ(target.Pixel(2, 0), clBlue);
    EXPECT_EQ(target.Pixel(3, 0), clWhite);

    TOwnedPtr<TImageList> more(CreateComponent<TImageList>(nullptr));
    more->SetWidth(2);
    more->SetHeight(2);
    more->AddImages(list.get());
    EXPECT_EQ(more->Count(), 4);
    more->Delete(0);
    EXPECT_EQ(more->Count(), 3);
    more->SetWidth(18);
    EXPECT_EQ(more->Count(), 0) << "a new size empties the list";
}

TEST(Canvas, ControlsPaintThemselvesAndTheirChildren) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* panel = CreateComponent<TPanel>(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 20, 200, 60);
    panel->SetCaption("面板");
    auto* label = CreateComponent<TLabel>(form.get());
    label->SetParent(panel);
    label->SetLeft(5);
    label->SetTop(7);
    label->Font()->SetSize(9);
    label->SetCaption("代号(&C)");
    EXPECT_EQ(label->Width(), HeadlessTextExtent(*label->Font(), "代号(C)").cx) << "an auto-sized label fits its text";
    EXPECT_EQ(label->Height(), 16);
    auto* hidden = CreateComponent<TLabel>(form.get());
    hidden->SetParent(panel);
    hidden->SetCaption("hidden");
    hidden->SetVisible(false);

    TRecordingCanvas canvas;
    PaintControlTree(*form, canvas);
    const TCanvasOp* text = canvas.FindText("代号(C)");
    ASSERT_NE(text, nullptr) << "the accelerator mark is not drawn";
    EXPECT_EQ(text->From, (TPoint{15, 27}));
    EXPECT_EQ(text->FontSize, 9);
    EXPECT_NE(canvas.FindText("面板"), nullptr);
    EXPECT_EQ(canvas.FindText("hidden"), nullptr);
    EXPECT_EQ(canvas.FillAt({12, 22})->BrushColor, clBtnFace);
}

TEST(Canvas, BitmapsLoadFromTheProgramsNamedImages) {
    TBitmap stamp(4, 3);
    stamp.SetPixel(1, 1, clRed);
    RegisterBitmapResource("Confirm", stamp);
    stamp.SetPixel(1, 1, clBlue);  // the registry keeps its own copy

    TBitmap loaded;
    loaded.LoadFromResourceName("CONFIRM");
    EXPECT_EQ(loaded.Width(), 4);
    EXPECT_EQ(loaded.Height(), 3);
    EXPECT_EQ(loaded.Pixel(1, 1), clRed);
    EXPECT_TRUE(BitmapResourceExists("confirm"));

    try {
        loaded.LoadFromResourceName("NOGOOD_ENG");
        ADD_FAILURE() << "an unknown name loads nothing";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NOGOOD_ENG not found");
    }
    EXPECT_EQ(loaded.Pixel(1, 1), clRed) << "a failed load leaves the bitmap as it was";

    TBitmap replacement(2, 2);
    RegisterBitmapResource("CONFIRM", replacement);
    loaded.LoadFromResourceName("Confirm");
    EXPECT_EQ(loaded.Width(), 2);
}
