#include "toolkit/rtl/ScopeExit.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/grids/DBGrid.h"

namespace {
TTextFormat AlignedText(TAlignment alignment) {
    TTextFormat format{tfVerticalCenter, tfSingleLine};
    format.Include(alignment == taRightJustify ? tfRight : alignment == taCenter ? tfCenter : tfLeft);
    return format;
}
}  // namespace

void TDBGrid::BeginRowPaint(int recNo) {
    EndRowPaint();
    paintingRecNo_ = recNo;
    int stored = StoredRecNo(recNo);
    if (stored > 0 && DataSet()) peek_ = std::make_unique<TDataSet::TRecordPeek>(*DataSet(), stored);
}

std::string TDBGrid::CellDisplayText(int col, int row) {
    TColumn* column = ColumnOfGridCol(col);
    TField* field = column ? column->Field() : nullptr;
    const int recNo = TopRecNo() + row - TitleOffset();
    if (!field || row < TitleOffset() || recNo < 1 || recNo > RecordCount()) return "";
    const int stored = StoredRecNo(recNo);
    if (stored == 0) return field->DisplayText();
    if (!DataSet() || (DataSet()->State() == dsInsert && recNo == CurrentRecNo())) return "";
    TDataSet::TRecordPeek peek(*DataSet(), stored);
    return peek.Valid() ? field->DisplayText() : std::string();
}

void TDBGrid::EndRowPaint() {
    peek_.reset();
    paintingRecNo_ = 0;
}

void TDBGrid::Paint() {
    TScopeExit endRowPaint([this] { EndRowPaint(); });
    TCustomGrid::Paint();
}

TGridDrawState TDBGrid::CellState(int col, int row) const {
    TGridDrawState state;
    int title = TitleOffset();
    if (col < IndicatorOffset() || row < title) {
        state.Include(gdFixed);
        return state;
    }
    int recNo = topRecNo_ + row - title;
    bool currentRow = recNo == CurrentRecNo();
    bool currentCell = currentRow && col == col_;
    if (currentCell && Focused()) state.Include(gdFocused);
    bool selected = (currentRow && (currentCell || options_.Contains(dgRowSelect)));
    if (!selected && options_.Contains(dgMultiSelect) && DataSet()) {
        int stored = StoredRecNo(recNo);
        TBookmark bookmark = stored > 0 ? DataSet()->BookmarkAt(stored) : DataSet()->GetBookmark();
        selected = selectedRows_.Contains(bookmark);
    }
    if (selected) state.Include(gdSelected);
    return state;
}

void TDBGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    TCanvas* canvas = Canvas();
    int title = TitleOffset();
    if (row < title) {
        EndRowPaint();
        DrawTitleCell(rect, ColumnOfGridCol(col), state);
        return;
    }
    int recNo = topRecNo_ + row - title;
    if (recNo > RecordCount()) {
        canvas->Brush()->SetColor(col < IndicatorOffset() ? FixedColor() : Color());
        canvas->FillRect(rect);
        return;
    }
    if (recNo != paintingRecNo_) BeginRowPaint(recNo);
    if (col < IndicatorOffset()) {
        DrawIndicatorCell(rect, recNo, state);
        return;
    }
    TColumn* column = ColumnOfGridCol(col);
    if (!column) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(rect);
        return;
    }
    canvas->SetFont(column->Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(column->Color());
    bool multiSelected = state.Contains(gdSelected) && !(recNo == CurrentRecNo());
    bool highlight = state.Contains(gdSelected) &&
                     (Focused() || options_.Contains(dgAlwaysShowSelection) || multiSelected || options_.Contains(dgRowSelect));
    if (highlight) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    }
    DoCalcCellColors(column->Field(), state, highlight, canvas->Font(), canvas->Brush());
    DrawColumnCell(rect, col - IndicatorOffset(), column, state);
}

void TDBGrid::DoCalcCellColors(TField* field, TGridDrawState state, bool highlight, TFont* font, TBrush* brush) {
    if (OnCalcCellColors) OnCalcCellColors(this, field, state, highlight, font, brush);
}

void TDBGrid::DoCalcTitleAttributes(TField* field, TFont* font, TBrush* brush, TAlignment& alignment) {
    if (OnCalcTitleAttributes) OnCalcTitleAttributes(this, field, font, brush, alignment);
}

void TDBGrid::DrawColumnCell(const TRect& rect, int dataCol, TColumn* column, TGridDrawState state) {
    if (DefaultDrawing()) DefaultDrawColumnCell(rect, dataCol, column, state);
    if (columns_->State() == csDefault && OnDrawDataCell) OnDrawDataCell(this, rect, column->Field(), state);
    if (OnDrawColumnCell) OnDrawColumnCell(this, rect, dataCol, column, state);
}

void TDBGrid::DefaultDrawColumnCell(const TRect& rect, int dataCol, TColumn* column, TGridDrawState state) {
    TCanvas* canvas = Canvas();
    canvas->FillRect(rect);
    TField* field = column ? column->Field() : nullptr;
    if (!field) return;
    std::string checkedValue, uncheckedValue;
    if (IsCheckBoxField(field, checkedValue, uncheckedValue)) {
        DrawCheckBoxCell(rect, column, field, SameText(field->Text(), checkedValue), state);
        return;
    }
    bool editing = EditorMode() && PaintingActiveRow() && column == SelectedColumn();
    std::string text = editing ? EditorText() : field->DisplayText();
    TBrushStyle style = canvas->Brush()->Style();
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(rect.Inflate(-2, 0), text, AlignedText(column->Alignment()));
    canvas->Brush()->SetStyle(style);
}

void TDBGrid::DefaultDrawDataCell(const TRect& rect, TField* field, TGridDrawState state) {
    TCanvas* canvas = Canvas();
    canvas->FillRect(rect);
    if (!field) return;
    TBrushStyle style = canvas->Brush()->Style();
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(rect.Inflate(-2, 0), field->DisplayText(), AlignedText(field->Alignment()));
    canvas->Brush()->SetStyle(style);
}

void TDBGrid::DrawCheckBoxCell(const TRect& rect, TColumn* column, TField* field, bool checked, TGridDrawState state) {
    TCanvas* canvas = Canvas();
    canvas->FillRect(rect);
    int size = std::min({13, rect.Width() - 2, rect.Height() - 2});
    TRect box = Bounds(rect.Left + (rect.Width() - size) / 2, rect.Top + (rect.Height() - size) / 2, size, size);
    TColor brush = canvas->Brush()->Color();
    canvas->Brush()->SetColor(clWindowText);
    canvas->FrameRect(box);
    canvas->Brush()->SetColor(brush);
    if (checked) {
        canvas->Pen()->SetColor(clWindowText);
        canvas->MoveTo(box.Left + 2, box.Top + size / 2);
        canvas->LineTo(box.Left + size / 2, box.Bottom - 3);
        canvas->LineTo(box.Right - 2, box.Top + 2);
    }
}

void TDBGrid::DrawTitleCell(const TRect& rect, TColumn* column, TGridDrawState state) {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    if (!column) {
        canvas->Brush()->SetColor(FixedColor());
        canvas->FillRect(rect);
        return;
    }
    canvas->SetFont(column->Title()->Font());
    canvas->Brush()->SetColor(column->Title()->Color());
    TAlignment alignment = column->Title()->Alignment();
    TField* field = column->Field();
    DoCalcTitleAttributes(field, canvas->Font(), canvas->Brush(), alignment);
    canvas->FillRect(rect);
    TRect textRect = rect.Inflate(-2, 0);
    if (titleImageList_ && OnCalcTitleImage) {
        int image = -1;
        OnCalcTitleImage(this, field, image);
        if (image >= 0 && image < titleImageList_->Count()) {
            int x = rect.Right - titleImageList_->Width() - 2;
            titleImageList_->Draw(canvas, x, rect.Top + (rect.Height() - titleImageList_->Height()) / 2, image);
            textRect.Right = x - 2;
        }
    }
    TBrushStyle style = canvas->Brush()->Style();
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(textRect, column->Title()->Caption(), AlignedText(alignment));
    canvas->Brush()->SetStyle(style);
}

void TDBGrid::DrawIndicatorCell(const TRect& rect, int recNo, TGridDrawState state) {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(FixedColor());
    canvas->FillRect(rect);
    if (recNo != CurrentRecNo() || !DataSet()) return;
    const char* mark = DataSet()->State() == dsEdit ? "I" : DataSet()->State() == dsInsert ? "*" : "\xE2\x96\xB6";
    canvas->Font()->SetColor(clWindowText);
    TBrushStyle style = canvas->Brush()->Style();
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(rect, mark, TTextFormat{tfCenter, tfVerticalCenter});
    canvas->Brush()->SetStyle(style);
}
