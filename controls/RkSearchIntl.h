#pragma once
// The texts of the find dialog: its two messages (TRkUserMessages), the captions of its window's
// controls (TRkUserDialogInfo), and the component that carries both with the window's font
// (TRkUserIntl). A window that holds a TRkUserIntl gives its own language to the dialog.
#include <string>

#include "toolkit/classes/Component.h"
#include "toolkit/ui/graphics/Font.h"

class TRkUserMessages : public TPersistent {
    TK_CLASS_PUBLISHED(TRkUserMessages, TPersistent)
public:
    TRkUserMessages();
    void Assign(const TPersistent* source) override;

    std::string SearchedTextBlank;
    std::string SearchedTextNotFound;  // %s: the searched text
    // Not published: what Execute raises when the grid has no open dataset.
    static const char* const DataSourceInactive;
};

class TRkUserDialogInfo : public TPersistent {
    TK_CLASS_PUBLISHED(TRkUserDialogInfo, TPersistent)
public:
    TRkUserDialogInfo();
    void Assign(const TPersistent* source) override;

    std::string BtnClose;
    std::string BtnNext;
    std::string ChkCaseSentitive;
    std::string ChkWholeWords;
    std::string GrpDirection;
    std::string GrpFields;
    std::string GrpOptions;
    std::string GrpOrigin;
    std::string LblSearchText;
    std::string RbBackward;
    std::string RbForward;
    std::string RbFromCursor;
    std::string RbFromBeginning;
};

class TRkUserIntl : public TComponent {
    TK_CLASS_PUBLISHED(TRkUserIntl, TComponent)
public:
    explicit TRkUserIntl(TComponent* owner);
    ~TRkUserIntl() override;
    void Assign(const TPersistent* source) override;

    TFont* DialogFont() const { return font_.get(); }
    void SetDialogFont(const TFont* font) { font_->Assign(font); }
    TRkUserMessages* UserMessages() const { return messages_.get(); }
    void SetUserMessages(const TRkUserMessages* messages) { messages_->Assign(messages); }
    TRkUserDialogInfo* UserDialogInfo() const { return info_.get(); }
    void SetUserDialogInfo(const TRkUserDialogInfo* info) { info_->Assign(info); }

private:
    TOwnedPtr<TFont> font_;
    TOwnedPtr<TRkUserMessages> messages_;
    TOwnedPtr<TRkUserDialogInfo> info_;
};
