#pragma once
// Labels: a caption drawn on the parent, sized to its text unless AutoSize is off. A label may name
// the control that its accelerator focuses.
#include "toolkit/ui/graphics/TextAlign.h"
#include "toolkit/ui/kernel/GraphicControl.h"

class TCustomLabel : public TGraphicControl {
    TK_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);
    // The text as shown (accelerator marks removed when ShowAccelChar).
    std::string DisplayCaption() const;

    void Notification(TComponent* component, TOperation operation) override;
    // Alt and the caption's accelerator focus FocusControl.
    bool DialogKey(WORD key, TShiftState shift) override;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void AdjustBounds();

private:
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
    TK_CLASS_PUBLISHED(TLabel, TCustomLabel)
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};
