#include "toolkit/ui/kernel/ControlClasses.h"

#include "toolkit/ui/dataaware/DBCtrls.h"
#include "toolkit/ui/dialogs/FileDialogs.h"
#include "toolkit/ui/graphics/ImgList.h"
#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/widgets/ComCtrls.h"
#include "toolkit/ui/widgets/ExtCtrls.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/StdCtrls.h"

const std::vector<const TClassInfo*>& ControlClasses() {
    static const std::vector<const TClassInfo*> classes = {
        &TForm::StaticClass(),           &TPanel::StaticClass(),        &TLabel::StaticClass(),
        &TEdit::StaticClass(),           &TMemo::StaticClass(),         &TComboBox::StaticClass(),
        &TCheckBox::StaticClass(),       &TRadioButton::StaticClass(),  &TRadioGroup::StaticClass(),
        &TGroupBox::StaticClass(),       &TButton::StaticClass(),       &TBitBtn::StaticClass(),
        &TSpeedButton::StaticClass(),    &TListBox::StaticClass(),      &TCheckListBox::StaticClass(),
        &TListView::StaticClass(),       &TTreeView::StaticClass(),     &TPageControl::StaticClass(),
        &TTabSheet::StaticClass(),       &TToolBar::StaticClass(),      &TToolButton::StaticClass(),
        &TStatusBar::StaticClass(),      &TMainMenu::StaticClass(),     &TPopupMenu::StaticClass(),
        &TMenuItem::StaticClass(),       &TImageList::StaticClass(),    &TImage::StaticClass(),
        &TBevel::StaticClass(),          &TPaintBox::StaticClass(),     &TSplitter::StaticClass(),
        &TScrollBox::StaticClass(),      &TDrawGrid::StaticClass(),     &TStringGrid::StaticClass(),
        &TOpenDialog::StaticClass(),     &TSaveDialog::StaticClass(),   &TDBEdit::StaticClass(),
        &TDBMemo::StaticClass(),         &TDBComboBox::StaticClass(),   &TDBText::StaticClass(),
        &TDBCheckBox::StaticClass(),     &TDBRadioGroup::StaticClass(), &TDBGrid::StaticClass(),
        &TExtPageControl::StaticClass(), &TGauge::StaticClass(),
    };
    return classes;
}

void RegisterControlClasses() {
    for (const TClassInfo* cls : ControlClasses()) RegisterClass(*cls);
}
