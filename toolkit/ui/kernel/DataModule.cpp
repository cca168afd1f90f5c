#include "toolkit/ui/kernel/DataModule.h"

#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"

void TDataModule::Publish(TPublisher<TDataModule>& p) {
    p.Property("OnCreate", &TDataModule::OnCreate);
    p.Property("OnDestroy", &TDataModule::OnDestroy);
}

TDataModule::TDataModule(TComponent* owner) : TComponent(owner) { Screen->AddDataModule(this); }

TDataModule::~TDataModule() { Screen->RemoveDataModule(this); }

void TDataModule::AfterConstruction() {
    TComponent::AfterConstruction();
    DoCreate();
}

void TDataModule::BeforeDestruction() {
    if (!moduleDestroyed_) {
        moduleDestroyed_ = true;
        Destroying();
        DoDestroy();
        Screen->RemoveDataModule(this);
    }
    TComponent::BeforeDestruction();
}

void TDataModule::DoCreate() {
    if (!OnCreate) return;
    try {
        OnCreate(this);
    } catch (...) {
        if (!HandleCreateException()) throw;
    }
}

bool TDataModule::HandleCreateException() {
    Application->HandleException(this);
    return true;
}

void TDataModule::DoDestroy() {
    if (!OnDestroy) return;
    try {
        OnDestroy(this);
    } catch (...) {
        Application->HandleException(this);
    }
}
