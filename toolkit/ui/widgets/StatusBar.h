#pragma once
// Status bars: a row of panels with texts, or one simple text while SimplePanel is set.
#include <functional>

#include "toolkit/classes/Collection.h"
#include "toolkit/ui/graphics/TextAlign.h"
#include "toolkit/ui/kernel/Controls.h"

class TStatusBar;

enum TStatusPanelStyle {
    psText,
    psOwnerDraw
};
TK_ENUM_TYPE(TStatusPanelStyle, "psText", "psOwnerDraw")
enum TStatusPanelBevel {
    pbNone,
    pbLowered,
    pbRaised
};
TK_ENUM_TYPE(TStatusPanelBevel, "pbNone", "pbLowered", "pbRaised")

class TStatusPanel : public TCollectionItem {
    TK_CLASS_PUBLISHED(TStatusPanel, TCollectionItem)
public:
    TStatusPanel() = default;
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value);
    void Assign(const TPersistent* source) override;
    std::string DisplayName() const override { return text_.empty() ? ClassName() : text_; }

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelStyle style_ = psText;
    TStatusPanelBevel bevel_ = pbLowered;
};

class TStatusPanels : public TCollection {
    TK_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TStatusBar* owner);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TStatusBar* bar_;
};

using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, TRect Rect)>;

class TStatusBar : public TWinControl {
    TK_CLASS_PUBLISHED(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* owner);

    TStatusPanels* Panels() const { return panels_.get(); }
    void SetPanels(TStatusPanels* panels) { panels_->Assign(panels); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    // Where panel index is drawn (the last panel reaches the right edge).
    TRect PanelRect(int index) const;

    TDrawPanelEvent OnDrawPanel;

protected:
    void Paint() override;

private:
    friend class TStatusPanels;
    TOwnedPtr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
};
