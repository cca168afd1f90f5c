#pragma once
// The columns of a data grid: each shows one field with its own title, width, colours and font,
// and a pick list or button where the grid offers one.
#include <memory>
#include <string>

#include "toolkit/classes/Collection.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/graphics/TextAlign.h"

class TDBGrid;
class TColumn;
class TImageList;

class TColumnTitle : public TPersistent {
    TK_CLASS_PUBLISHED(TColumnTitle, TPersistent)
public:
    explicit TColumnTitle(TColumn* column);
    // The field's display label (or the field name) unless a caption was given.
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool CaptionAssigned() const { return caption_.has_value(); }
    void RestoreDefaults();
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* font) { font_->Assign(font); }
    void Assign(const TPersistent* source) override;

private:
    friend class TColumn;
    friend class TDBGrid;
    void Changed();
    TColumn* column_;
    std::optional<std::string> caption_;
    TAlignment alignment_ = taLeftJustify;
    TColor color_ = clBtnFace;
    TOwnedPtr<TFont> font_;
    bool fontAssigned_ = false;
    bool following_ = false;
};

enum TColumnButtonStyle {
    cbsAuto,
    cbsEllipsis,
    cbsNone
};
TK_ENUM_TYPE(TColumnButtonStyle, "cbsAuto", "cbsEllipsis", "cbsNone")

class TColumn : public TCollectionItem {
    TK_CLASS_PUBLISHED(TColumn, TCollectionItem)
public:
    TColumn();
    ~TColumn() override;

    TDBGrid* Grid() const;
    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& name);
    // The field of that name in the grid's dataset (nullptr when there is none).
    TField* Field() const;
    TColumnTitle* Title() const { return title_.get(); }
    void SetTitle(const TColumnTitle* title) { title_->Assign(title); }
    // The field's display width in characters of the grid's font unless a width was given.
    int Width() const;
    void SetWidth(int width);
    int DefaultWidth() const;
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // The grid's colour and font unless given.
    TColor Color() const;
    void SetColor(TColor color);
    TFont* Font() const;
    void SetFont(const TFont* font);
    // The field's alignment unless given.
    TAlignment Alignment() const;
    void SetAlignment(TAlignment value);
    TStrings* PickList() const { return pickList_.get(); }
    void SetPickList(TStrings* list);
    TColumnButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TColumnButtonStyle value);
    int DropDownRows() const { return dropDownRows_; }
    void SetDropDownRows(int value) { dropDownRows_ = value; }

    std::string DisplayName() const override;
    void Assign(const TPersistent* source) override;
    void RestoreDefaults();

private:
    friend class TColumnTitle;
    friend class TDBGrid;
    friend class TDBGridColumns;
    void FollowGrid();

    std::string fieldName_;
    std::unique_ptr<TColumnTitle> title_;
    std::optional<int> width_;
    bool visible_ = true;
    bool readOnly_ = false;
    std::optional<TColor> color_;
    TOwnedPtr<TFont> font_;
    bool fontAssigned_ = false;
    bool following_ = false;
    std::optional<TAlignment> alignment_;
    std::unique_ptr<TStringList> pickList_;
    TColumnButtonStyle buttonStyle_ = cbsAuto;
    int dropDownRows_ = 7;
};

enum TDBGridColumnsState {
    csDefault,
    csCustomized
};
TK_ENUM_TYPE(TDBGridColumnsState, "csDefault", "csCustomized")

class TDBGridColumns : public TCollection {
    TK_CLASS(TDBGridColumns, TCollection)
public:
    explicit TDBGridColumns(TDBGrid* grid);
    TDBGrid* Grid() const { return grid_; }
    // Adding a column by code makes the columns customized (no longer rebuilt from the fields).
    TColumn* Add();
    TColumn* Items(int index) const { return static_cast<TColumn*>(TCollection::Items(index)); }
    TDBGridColumnsState State() const { return state_; }
    // csDefault rebuilds the columns from the dataset's visible fields.
    void SetState(TDBGridColumnsState state);
    // Builds one column per visible field of the dataset.
    void RebuildColumns();
    void RestoreDefaults();

protected:
    void Update(TCollectionItem* item) override;

private:
    friend class TDBGrid;
    TDBGrid* grid_;
    TDBGridColumnsState state_ = csDefault;
};
