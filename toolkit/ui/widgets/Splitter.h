#pragma once
// Splitters: a bar aligned beside another aligned control; dragging it resizes that control.
#include "toolkit/ui/kernel/GraphicControl.h"

enum TResizeStyle {
    rsNone,
    rsLine,
    rsUpdate,
    rsPattern
};
TK_ENUM_TYPE(TResizeStyle, "rsNone", "rsLine", "rsUpdate", "rsPattern")

class TSplitter : public TGraphicControl {
    TK_CLASS_PUBLISHED(TSplitter, TGraphicControl)
public:
    explicit TSplitter(TComponent* owner);

    int MinSize() const { return minSize_; }
    void SetMinSize(int value) { minSize_ = std::max(value, 1); }
    TResizeStyle ResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle value) { resizeStyle_ = value; }
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool value);

    // The control the splitter resizes: the one aligned the same way just before it.
    TControl* ResizeControl() const;
    // Moves the splitter by delta pixels (right or down is positive), as a drag would: the resized
    // control grows or shrinks, never below MinSize. Returns the distance actually moved.
    int MoveSplitter(int delta);

    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Horizontal() const { return Align() == alTop || Align() == alBottom; }
    int minSize_ = 30;
    TResizeStyle resizeStyle_ = rsPattern;
    bool beveled_ = false;
    bool dragging_ = false;
    TPoint dragStart_;
};
