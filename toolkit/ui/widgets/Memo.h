#pragma once
// Multi-line edits: Lines and Text are two views of one text (lines joined by CR LF). Enter types a
// line break while WantReturns, Tab a tab while WantTabs.
#include "toolkit/ui/graphics/TextAlign.h"
#include "toolkit/ui/widgets/Edit.h"

enum TScrollStyle {
    ssNone,
    ssHorizontal,
    ssVertical,
    ssBoth
};
TK_ENUM_TYPE(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")

class TCustomMemo : public TCustomEdit {
    TK_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* owner);

    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* lines);  // copies
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    bool WantsKey(WORD key, TShiftState shift) const override;
    void CharTyped(char32_t ch) override;

protected:
    void TextChanged() override;
    void Paint() override;

private:
    std::unique_ptr<TStringList> lines_;
    bool syncing_ = false;
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = ssNone;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    TAlignment alignment_ = taLeftJustify;
};

class TMemo : public TCustomMemo {
    TK_CLASS_PUBLISHED(TMemo, TCustomMemo)
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};
