#include "toolkit/ui/widgets/StatusBar.h"

#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/widgets/Panel.h"

void TStatusPanel::Publish(TPublisher<TStatusPanel>& p) {
    p.Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment);
    p.Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel);
    p.Property("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle);
    p.Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    p.Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
}

void TStatusPanel::SetText(const std::string& text) {
    if (ChangeValue(text_, text)) Changed();
}

void TStatusPanel::SetWidth(int width) {
    if (ChangeValue(width_, width)) Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment value) {
    if (ChangeValue(alignment_, value)) Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle value) {
    if (ChangeValue(style_, value)) Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel value) {
    if (ChangeValue(bevel_, value)) Changed();
}

void TStatusPanel::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TStatusPanel*>(source)) {
        text_ = other->text_;
        width_ = other->width_;
        alignment_ = other->alignment_;
        style_ = other->style_;
        bevel_ = other->bevel_;
        Changed(true);
        return;
    }
    TCollectionItem::Assign(source);
}

TStatusPanels::TStatusPanels(TStatusBar* owner) : TCollection([] { return new TStatusPanel; }, owner), bar_(owner) {}

void TStatusPanels::Update(TCollectionItem* item) {
    TCollection::Update(item);
    bar_->Changed(TPropertyId::Panels);
    bar_->Invalidate();
}

void TStatusBar::Publish(TPublisher<TStatusBar>& p) {
    PublishStandardWin(p);
    p.Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
    p.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    p.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    p.Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
    p.Property("OnDrawPanel", &TStatusBar::OnDrawPanel);
    p.Property("OnResize", &TStatusBar::OnResize);
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner), panels_(new TStatusPanels(this)) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 19);
    SetAlign(alBottom);
}

void TStatusBar::SetSimplePanel(bool value) {
    if (SetProperty(simplePanel_, value, TPropertyId::SimplePanel)) Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& text) {
    if (SetProperty(simpleText_, text, TPropertyId::SimpleText)) Invalidate();
}

void TStatusBar::SetSizeGrip(bool value) { SetProperty(sizeGrip_, value, TPropertyId::SizeGrip); }

TRect TStatusBar::PanelRect(int index) const {
    int left = 0;
    for (int i = 0; i < index; ++i) left += panels_->Items(i)->Width();
    int right = index == panels_->Count() - 1 ? Width() : left + panels_->Items(index)->Width();
    return {left, 0, std::max(right, left), Height()};
}

void TStatusBar::Paint() {
    TCanvas* canvas = Canvas();
    canvas->FillRect(Bounds(0, 0, Width(), Height()));
    canvas->Brush()->SetStyle(bsClear);
    if (simplePanel_) {
        canvas->TextRect(Bounds(2, 0, Width() - 2, Height()), simpleText_, TTextFormat{tfLeft, tfVerticalCenter});
        return;
    }
    for (int i = 0; i < panels_->Count(); ++i) {
        TStatusPanel* panel = panels_->Items(i);
        TRect r = PanelRect(i);
        TRect inner = panel->Bevel() == pbNone ? r : DrawBevel(*canvas, r, panel->Bevel() == pbLowered ? bvLowered : bvRaised, 1);
        if (panel->Style() == psOwnerDraw && OnDrawPanel) {
            OnDrawPanel(this, panel, inner);
            continue;
        }
        TTextFormat format{tfVerticalCenter};
        format.Include(panel->Alignment() == taRightJustify ? tfRight : panel->Alignment() == taCenter ? tfCenter : tfLeft);
        canvas->TextRect(inner.Inflate(-2, 0), panel->Text(), format);
    }
}
