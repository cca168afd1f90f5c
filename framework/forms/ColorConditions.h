#pragma once
// The colour rules of a maintenance window: each names a condition on the window's records, the font
// and background colours of the records that meet it, a message (the name the user knows the rule
// by) and whether the rule is in force for the colour filter. The window keeps the rules of its
// header grid, read from its colour-rule document.
#include <string>

#include "toolkit/classes/Collection.h"

class TColorCondition : public TCollectionItem {
    TK_CLASS_PUBLISHED(TColorCondition, TCollectionItem)
public:
    TColorCondition() = default;
    std::string Value;    // the condition, as SQL
    std::string ColorX;   // font colour, a decimal colour number
    std::string BkColor;  // background colour, a decimal colour number
    std::string Msg;
    bool Selected = false;

    // The rule's name: its message, else its condition.
    std::string Caption() const { return Msg.empty() ? Value : Msg; }
    void Assign(const TPersistent* source) override;
    std::string DisplayName() const override { return Caption(); }
};

class TColorConditions : public TCollection {
    TK_CLASS(TColorConditions, TCollection)
public:
    explicit TColorConditions(TPersistent* owner = nullptr) : TCollection([] { return new TColorCondition; }, owner) {}
    TColorCondition* Add() { return static_cast<TColorCondition*>(TCollection::Add()); }
    TColorCondition* Items(int index) const { return static_cast<TColorCondition*>(TCollection::Items(index)); }
};

// Reads the conditions of one enabled component of an area ("head", "body") of a colour-rule
// document into conditions (cleared first); false when the document holds none for it. A document
// that does not parse raises "颜色管理xml格式错误".
bool ReadColorConditions(const std::string& xml, const std::string& area, const std::string& component,
                         TColorConditions& conditions);

// A decimal colour number of a rule as a colour; false when the text is not one.
bool ColorOfRule(const std::string& text, int& color);
