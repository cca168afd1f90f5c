#include "controls/RkSearchIntl.h"

const char* const TRkUserMessages::DataSourceInactive = "DataSource does not reference an active DataSet";

void TRkUserMessages::Publish(TPublisher<TRkUserMessages>& p) {
    p.Property("SearchedTextBlank", &TRkUserMessages::SearchedTextBlank);
    p.Property("SearchedTextNotFound", &TRkUserMessages::SearchedTextNotFound);
}

TRkUserMessages::TRkUserMessages()
    : SearchedTextBlank("The search string cannot be blank."), SearchedTextNotFound("Search string \"%s\" not found") {}

void TRkUserMessages::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TRkUserMessages*>(source);
    if (!other) return TPersistent::Assign(source);
    SearchedTextBlank = other->SearchedTextBlank;
    SearchedTextNotFound = other->SearchedTextNotFound;
}

void TRkUserDialogInfo::Publish(TPublisher<TRkUserDialogInfo>& p) {
    p.Property("BtnClose", &TRkUserDialogInfo::BtnClose);
    p.Property("BtnNext", &TRkUserDialogInfo::BtnNext);
    p.Property("ChkCaseSentitive", &TRkUserDialogInfo::ChkCaseSentitive);
    p.Property("ChkWholeWords", &TRkUserDialogInfo::ChkWholeWords);
    p.Property("GrpDirection", &TRkUserDialogInfo::GrpDirection);
    p.Property("GrpFields", &TRkUserDialogInfo::GrpFields);
    p.Property("GrpOptions", &TRkUserDialogInfo::GrpOptions);
    p.Property("GrpOrigin", &TRkUserDialogInfo::GrpOrigin);
    p.Property("LblSearchText", &TRkUserDialogInfo::LblSearchText);
    p.Property("RbBackward", &TRkUserDialogInfo::RbBackward);
    p.Property("RbForward", &TRkUserDialogInfo::RbForward);
    p.Property("RbFromCursor", &TRkUserDialogInfo::RbFromCursor);
    p.Property("RbFromBeginning", &TRkUserDialogInfo::RbFromBeginning);
}

TRkUserDialogInfo::TRkUserDialogInfo()
    : BtnClose("Cl&ose"), BtnNext("&Next"), ChkCaseSentitive("&Case sentitive"), ChkWholeWords("&Whole words only"),
      GrpDirection("Direction"), GrpFields("&Search Field"), GrpOptions("Options"), GrpOrigin("Origin"),
      LblSearchText("&Text to find"), RbBackward("&Backward"), RbForward("Forwar&d"), RbFromCursor("&From cursor"),
      RbFromBeginning("From b&eginning") {}

void TRkUserDialogInfo::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TRkUserDialogInfo*>(source);
    if (!other) return TPersistent::Assign(source);
    BtnClose = other->BtnClose;
    BtnNext = other->BtnNext;
    ChkCaseSentitive = other->ChkCaseSentitive;
    ChkWholeWords = other->ChkWholeWords;
    GrpDirection = other->GrpDirection;
    GrpFields = other->GrpFields;
    GrpOptions = other->GrpOptions;
    GrpOrigin = other->GrpOrigin;
    LblSearchText = other->LblSearchText;
    RbBackward = other->RbBackward;
    RbForward = other->RbForward;
    RbFromCursor = other->RbFromCursor;
    RbFromBeginning = other->RbFromBeginning;
}

void TRkUserIntl::Publish(TPublisher<TRkUserIntl>& p) {
    p.Property("DialogFont", &TRkUserIntl::DialogFont, &TRkUserIntl::SetDialogFont);
    p.Property("UserDialogInfo", &TRkUserIntl::UserDialogInfo, &TRkUserIntl::SetUserDialogInfo);
    p.Property("UserMessages", &TRkUserIntl::UserMessages, &TRkUserIntl::SetUserMessages);
}

TRkUserIntl::TRkUserIntl(TComponent* owner)
    : TComponent(owner), font_(new TFont), messages_(new TRkUserMessages), info_(new TRkUserDialogInfo) {
    font_->SetName("MS Sans Serif");
    font_->SetSize(9);
}

TRkUserIntl::~TRkUserIntl() = default;

void TRkUserIntl::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TRkUserIntl*>(source);
    if (!other) return TComponent::Assign(source);
    font_->Assign(other->font_.get());
    messages_->Assign(other->messages_.get());
    info_->Assign(other->info_.get());
}
