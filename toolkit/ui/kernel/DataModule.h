#pragma once
// Data modules: non-visual containers of components (datasets, connections). Like forms, OnCreate
// runs once construction is complete and OnDestroy before the owned components go.
#include "toolkit/classes/Component.h"

class TDataModule : public TComponent {
    TK_CLASS_PUBLISHED(TDataModule, TComponent)
public:
    explicit TDataModule(TComponent* owner);
    ~TDataModule() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;

protected:
    virtual void DoCreate();
    virtual void DoDestroy();
    // An exception from OnCreate goes to Application->HandleException; return false to let it
    // pass to the creator instead.
    virtual bool HandleCreateException();

private:
    bool moduleDestroyed_ = false;
};

using TDataModuleClass = TClassOf<TDataModule>;
