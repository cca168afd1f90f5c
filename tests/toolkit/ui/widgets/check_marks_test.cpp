// Radio buttons draw a round mark, check boxes a square one.
#include <gtest/gtest.h>

#include <algorithm>

#include "toolkit/ui/graphics/RecordingCanvas.h"
#include "toolkit/ui/widgets/CheckBox.h"

namespace {

int Count(const TRecordingCanvas& canvas, TCanvasOp::TKind kind) {
    return static_cast<int>(
        std::count_if(canvas.Ops().begin(), canvas.Ops().end(), [kind](const TCanvasOp& op) { return op.Kind == kind; }));
}

}  // namespace

TEST(CheckMarks, RadioButtonsAreRoundAndCheckBoxesSquare) {
    auto* radio = CreateComponent<TRadioButton>(nullptr);
    radio->SetBounds(0, 0, 120, 20);
    radio->SetCaption("向前");
    TRecordingCanvas unchecked;
    radio->PaintTo(unchecked);
    EXPECT_EQ(Count(unchecked, TCanvasOp::opEllipse), 1) << "the round frame";
    EXPECT_EQ(Count(unchecked, TCanvasOp::opRectangle), 0);
    radio->SetChecked(true);
    TRecordingCanvas checked;
    radio->PaintTo(checked);
    EXPECT_EQ(Count(checked, TCanvasOp::opEllipse), 2) << "the frame and the dot";
    radio->Free();

    auto* box = CreateComponent<TCheckBox>(nullptr);
    box->SetBounds(0, 0, 120, 20);
    box->SetChecked(true);
    TRecordingCanvas square;
    box->PaintTo(square);
    EXPECT_EQ(Count(square, TCanvasOp::opRectangle), 1);
    EXPECT_EQ(Count(square, TCanvasOp::opEllipse), 0);
    box->Free();
}
