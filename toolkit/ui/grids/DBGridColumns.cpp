#include "toolkit/ui/grids/DBGridColumns.h"
#include "toolkit/rtl/ChangeValue.h"
#include "toolkit/rtl/ScopeExit.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/grids/DBGrid.h"

// --- TColumnTitle ----------------------------------------------------------------------------------------

void TColumnTitle::Publish(TPublisher<TColumnTitle>& p) {
    p.Property("Alignment", &TColumnTitle::Alignment, &TColumnTitle::SetAlignment);
    p.Property("Caption", &TColumnTitle::Caption, &TColumnTitle::SetCaption);
    p.Property("Color", &TColumnTitle::Color, &TColumnTitle::SetColor);
    p.Property("Font", &TColumnTitle::Font, &TColumnTitle::SetFont);
}

TColumnTitle::TColumnTitle(TColumn* column) : column_(column), font_(new TFont) {
    font_->OnChange = [this](TObject*) {
        if (!following_) fontAssigned_ = true;
        Changed();
    };
}

std::string TColumnTitle::Caption() const {
    if (caption_) return *caption_;
    if (TField* field = column_->Field()) return field->DisplayLabel();
    return column_->FieldName();
}

void TColumnTitle::SetCaption(const std::string& caption) {
    if (caption_ && *caption_ == caption) return;
    caption_ = caption;
    Changed();
}

void TColumnTitle::RestoreDefaults() {
    caption_.reset();
    alignment_ = taLeftJustify;
    color_ = clBtnFace;
    fontAssigned_ = false;
    column_->FollowGrid();
    Changed();
}

void TColumnTitle::SetAlignment(TAlignment value) {
    if (ChangeValue(alignment_, value)) Changed();
}

void TColumnTitle::SetColor(TColor color) {
    if (ChangeValue(color_, color)) Changed();
}

void TColumnTitle::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TColumnTitle*>(source)) {
        caption_ = other->caption_;
        alignment_ = other->alignment_;
        color_ = other->color_;
        if (other->fontAssigned_) font_->Assign(other->font_.get());
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TColumnTitle::Changed() { column_->Changed(false); }

// --- TColumn ---------------------------------------------------------------------------------------------

void TColumn::Publish(TPublisher<TColumn>& p) {
    p.Property("Alignment", &TColumn::Alignment, &TColumn::SetAlignment);
    p.Property("ButtonStyle", &TColumn::ButtonStyle, &TColumn::SetButtonStyle);
    p.Property("Color", &TColumn::Color, &TColumn::SetColor);
    p.Property("DropDownRows", &TColumn::DropDownRows, &TColumn::SetDropDownRows);
    p.Property("FieldName", &TColumn::FieldName, &TColumn::SetFieldName);
    p.Property("Font", &TColumn::Font, &TColumn::SetFont);
    p.Property("PickList", &TColumn::PickList, &TColumn::SetPickList);
    p.Property("ReadOnly", &TColumn::ReadOnly, &TColumn::SetReadOnly);
    p.Property("Title", &TColumn::Title, &TColumn::SetTitle);
    p.Property("Visible", &TColumn::Visible, &TColumn::SetVisible);
    p.Property("Width", &TColumn::Width, &TColumn::SetWidth);
}

TColumn::TColumn() : title_(std::make_unique<TColumnTitle>(this)), font_(new TFont), pickList_(std::make_unique<TStringList>()) {
    font_->OnChange = [this](TObject*) {
        if (!following_) fontAssigned_ = true;
        Changed(false);
    };
}

TColumn::~TColumn() = default;

TDBGrid* TColumn::Grid() const {
    auto* columns = dynamic_cast<TDBGridColumns*>(Collection());
    return columns ? columns->Grid() : nullptr;
}

void TColumn::FollowGrid() {
    TDBGrid* grid = Grid();
    if (!grid) return;
    following_ = true;
    if (!fontAssigned_) font_->Assign(grid->Font());
    following_ = false;
    title_->following_ = true;
    if (!title_->fontAssigned_) title_->font_->Assign(grid->TitleFont());
    title_->following_ = false;
}

void TColumn::SetFieldName(const std::string& name) {
    if (ChangeValue(fieldName_, name)) Changed(false);
}

TField* TColumn::Field() const {
    TDBGrid* grid = Grid();
    TDataSet* ds = grid ? grid->DataSet() : nullptr;
    if (!ds || !ds->Active() || fieldName_.empty()) return nullptr;
    return ds->FindField(fieldName_);
}

int TColumn::DefaultWidth() const {
    TDBGrid* grid = Grid();
    TField* field = Field();
    if (!grid || !field) return 64;
    TCanvas* canvas = grid->Canvas();
    canvas->SetFont(font_.get());
    int width = field->DisplayWidth() * canvas->TextWidth("0") + 4;
    if (grid->Options().Contains(dgTitles)) {
        canvas->SetFont(title_->Font());
        width = std::max(width, canvas->TextWidth(title_->Caption()) + 4);
    }
    return width;
}

int TColumn::Width() const { return width_ ? *width_ : DefaultWidth(); }

void TColumn::SetWidth(int width) {
    if (width_ && *width_ == width) return;
    width_ = std::max(width, 0);
    Changed(false);
}

void TColumn::SetVisible(bool value) {
    if (ChangeValue(visible_, value)) Changed(false);
}

void TColumn::SetReadOnly(bool value) {
    if (ChangeValue(readOnly_, value)) Changed(false);
}

TColor TColumn::Color() const {
    if (color_) return *color_;
    TDBGrid* grid = Grid();
    return grid ? grid->Color() : clWindow;
}

void TColumn::SetColor(TColor color) {
    color_ = color;
    Changed(false);
}

TFont* TColumn::Font() const { return font_.get(); }

void TColumn::SetFont(const TFont* font) {
    fontAssigned_ = true;
    font_->Assign(font);
}

TAlignment TColumn::Alignment() const {
    if (alignment_) return *alignment_;
    TField* field = Field();
    return field ? field->Alignment() : taLeftJustify;
}

void TColumn::SetAlignment(TAlignment value) {
    alignment_ = value;
    Changed(false);
}

void TColumn::SetPickList(TStrings* list) {
    if (list)
        pickList_->Assign(*list);
    else
        pickList_->Clear();
}

void TColumn::SetButtonStyle(TColumnButtonStyle value) {
    buttonStyle_ = value;
    Changed(false);
}

std::string TColumn::DisplayName() const { return fieldName_.empty() ? ClassName() : fieldName_; }

void TColumn::RestoreDefaults() {
    width_.reset();
    color_.reset();
    alignment_.reset();
    fontAssigned_ = false;
    readOnly_ = false;
    visible_ = true;
    title_->RestoreDefaults();
    FollowGrid();
    Changed(false);
}

void TColumn::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TColumn*>(source)) {
        fieldName_ = other->fieldName_;
        width_ = other->width_;
        visible_ = other->visible_;
        readOnly_ = other->readOnly_;
        color_ = other->color_;
        alignment_ = other->alignment_;
        if (other->fontAssigned_) SetFont(other->font_.get());
        pickList_->Assign(*other->pickList_);
        buttonStyle_ = other->buttonStyle_;
        dropDownRows_ = other->dropDownRows_;
        title_->Assign(other->title_.get());
        Changed(false);
        return;
    }
    TCollectionItem::Assign(source);
}

// --- TDBGridColumns --------------------------------------------------------------------------------------

TDBGridColumns::TDBGridColumns(TDBGrid* grid) : TCollection([] { return new TColumn; }, grid), grid_(grid) {}

TColumn* TDBGridColumns::Add() {
    state_ = csCustomized;
    auto* column = static_cast<TColumn*>(TCollection::Add());
    column->FollowGrid();
    return column;
}

void TDBGridColumns::SetState(TDBGridColumnsState state) {
    state_ = state;
    if (state == csDefault) RebuildColumns();
}

void TDBGridColumns::RebuildColumns() {
    BeginUpdate();
    TScopeExit endUpdate([this] { EndUpdate(); });
    Clear();
    TDataSet* ds = grid_->DataSet();
    if (ds && ds->Active()) {
        for (TField* field : ds->FieldList()) {
            if (!field->Visible()) continue;
            auto* column = static_cast<TColumn*>(TCollection::Add());
            column->fieldName_ = field->FieldName();
            column->FollowGrid();
        }
    }
}

void TDBGridColumns::RestoreDefaults() {
    BeginUpdate();
    for (int i = 0; i < Count(); ++i) Items(i)->RestoreDefaults();
    EndUpdate();
}

void TDBGridColumns::Update(TCollectionItem* item) {
    TCollection::Update(item);
    grid_->ColumnsChanged();
}
