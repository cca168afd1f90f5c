#include "programs/tdef05/Tdef05Form.h"

#include "programs/tdef05/Tdef05DataModule.h"

void TfrmTdef05::Publish(TPublisher<TfrmTdef05>& p) {
    p.Method("FormCreate", &TfrmTdef05::FormCreate);
    p.Method("FormClose", &TfrmTdef05::FormClose);
}

TfrmTdef05::TfrmTdef05(TComponent* owner) : TfrmRadical(owner) {
    SetCaption(kTdef05Caption);
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

TDataModuleClass TfrmTdef05::DataModuleClass() const { return TDataModuleClass::Of<TdmTdef05>(); }

void TfrmTdef05::FormCreate(TObject* Sender) {
    VersionText = kTdef05Version;
    // The data module comes first: a stand-alone start runs inside the inherited handler.
    DataModule = DataModuleClass().Create(this);
    TfrmRadical::FormCreate(Sender);
}

void TfrmTdef05::FormClose(TObject* Sender, TCloseAction& Action) {
    TfrmRadical::FormClose(Sender, Action);
    // The closed program window goes away and tells the host how it ended; the maintenance form
    // chain takes this over once it stands under this form.
    ResultCode = (RunMode == 7 || RunMode == 8) ? 1 : 2;
    Action = caFree;
}
