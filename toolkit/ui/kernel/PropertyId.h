#pragma once
// What a control tells its peer changed. One list: the enum, and the names logs and tests print.
#include <string_view>

// clang-format off
#define TK_PROPERTY_IDS(X) \
    X(ActiveControl) X(ActivePage) X(Alignment) X(BackColor) X(Bevel) X(Beveled) X(BorderIcons) X(BorderStyle) \
    X(Bounds) X(BringToFront) X(Buttons) X(Caption) X(Cell) X(CharCase) X(Checkboxes) X(Checked) X(Color) \
    X(Columns) X(Cursor) X(Default) X(Down) X(DropdownMenu) X(DroppedDown) X(EditMask) X(EditText) X(Editing) \
    X(EditorMode) X(EditorSelection) X(EditorText) X(Enabled) X(Expanded) X(Flat) X(Font) X(ForeColor) \
    X(FormStyle) X(Glyph) X(GridLines) X(Hint) X(Image) X(ImageIndex) X(Images) X(Indeterminate) \
    X(ItemFocused) X(ItemHeight) X(ItemIndex) X(Items) X(Layout) X(Marked) X(MaxValue) X(Menu) X(MinValue) \
    X(MultiSelect) X(Options) X(Panels) X(Parent) X(PasswordChar) X(PickList) X(PickListIndex) X(Picture) \
    X(Progress) X(ReadOnly) X(RowSelect) X(ScrollBars) X(ScrollPosition) X(Selected) X(SelectedIndex) \
    X(Selection) X(SendToBack) X(Shape) X(ShowButtons) X(ShowColumnHeaders) X(ShowHint) X(ShowLines) \
    X(ShowRoot) X(ShowText) X(SimplePanel) X(SimpleText) X(SizeGrip) X(Style) X(SubItems) X(TabOrder) \
    X(TabStop) X(TabVisible) X(Tabs) X(Text) X(TopIndex) X(TopLeft) X(TopRecNo) X(Transparent) X(ViewStyle) \
    X(Visible) X(WindowState) X(WordWrap)
// clang-format on

enum class TPropertyId : unsigned char {
#define TK_PROPERTY_ID(name) name,
    TK_PROPERTY_IDS(TK_PROPERTY_ID)
#undef TK_PROPERTY_ID
};

// "Caption" for TPropertyId::Caption.
std::string_view PropertyName(TPropertyId id);
