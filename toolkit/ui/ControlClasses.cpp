#include "toolkit/ui/ControlClasses.h"

#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/DBCtrls.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/FileDialogs.h"
#include "toolkit/ui/ImgList.h"
#include "toolkit/ui/Menus.h"
#include "toolkit/ui/StdCtrls.h"

const std::vector<const TClassInfo*>& ControlClasses() {
    static const std::vector<const TClassInfo*> classes = {
        &TForm::StaticClass(),         &TPanel::StaticClass(),        &TLabel::StaticClass(),
        &TEdit::StaticClass(),         &TMemo::StaticClass(),         &TComboBox::StaticClass(),
        &TCheckBox::StaticClass(),     &TRadioButton::StaticClass(),  &TRadioGroup::StaticClass(),
        &TGroupBox::StaticClass(),     &TButton::StaticClass(),       &TBitBtn::StaticClass(),
        &TSpeedButton::StaticClass(),  &TListBox::StaticClass(),      &TCheckListBox::StaticClass(),
        &TListView::StaticClass(),     &TTreeView::StaticClass(),     &TPageControl::StaticClass(),
        &TTabSheet::StaticClass(),     &TToolBar::StaticClass(),      &TToolButton::StaticClass(),
        &TStatusBar::StaticClass(),    &TMainMenu::StaticClass(),     &TPopupMenu::StaticClass(),
        &TMenuItem::StaticClass(),     &TImageList::StaticClass(),    &TImage::StaticClass(),
        &TBevel::StaticClass(),        &TPaintBox::StaticClass(),     &TSplitter::StaticClass(),
        &TScrollBox::StaticClass(),    &TDrawGrid::StaticClass(),     &TStringGrid::StaticClass(),
        &TOpenDialog::StaticClass(),   &TSaveDialog::StaticClass(),   &TDBEdit::StaticClass(),
        &TDBMemo::StaticClass(),       &TDBComboBox::StaticClass(),   &TDBText::StaticClass(),
        &TDBCheckBox::StaticClass(),   &TDBRadioGroup::StaticClass(), &TDBGrid::StaticClass(),
        &TExtPageControl::StaticClass(), &TGauge::StaticClass(),
    };
    return classes;
}

void RegisterControlClasses() {
    for (const TClassInfo* cls : ControlClasses()) RegisterClass(*cls);
}
