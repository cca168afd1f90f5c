#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/classes/Component.h"
#include "toolkit/ui/kernel/Forms.h"

namespace {

std::vector<std::string> gLog;

// Logs its destruction and the notifications it receives.
class TLogged : public TComponent {
    TK_CLASS(TLogged, TComponent)
public:
    explicit TLogged(TComponent* owner) : TComponent(owner) {}
    ~TLogged() override { gLog.push_back("destroy " + Name()); }
    void BeforeDestruction() override {
        gLog.push_back(std::string("before ") + Name() + (ComponentState().Contains(csDestroying) ? "" : " (alive)"));
        TComponent::BeforeDestruction();
        gLog.push_back("owned gone " + Name() + " " + std::to_string(ComponentCount()));
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) {
            gLog.push_back(Name() + " hears " + component->Name() + " go");
            if (component == watched) watched = nullptr;
        }
    }
    TComponent* watched = nullptr;
};

class TBaseWindow : public TForm {
    TK_CLASS(TBaseWindow, TForm)
public:
    explicit TBaseWindow(TComponent* owner) : TForm(owner) {}
};

class TProgramWindow : public TBaseWindow {
    TK_CLASS(TProgramWindow, TBaseWindow)
public:
    explicit TProgramWindow(TComponent* owner) : TBaseWindow(owner) { SetName("ProgramWindow"); }
};

class TAbstractPart : public TComponent {
    TK_CLASS(TAbstractPart, TComponent)
public:
    explicit TAbstractPart(TComponent* owner) : TComponent(owner) {}
    virtual void Work() = 0;
};

TLogged* Make(TComponent* owner, const std::string& name) {
    auto* c = CreateComponent<TLogged>(owner);
    c->SetName(name);
    return c;
}

}  // namespace

TEST(Component, OwnerFreesOwnedComponentsLastFirstAfterMarkingThemDestroying) {
    gLog.clear();
    TLogged* owner = Make(nullptr, "Owner");
    Make(owner, "A");
    TLogged* b = Make(owner, "B");
    Make(b, "B1");
    Make(owner, "C");
    EXPECT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(b->Owner(), owner);
    EXPECT_EQ(b->ComponentIndex(), 1);

    owner->Free();
    std::vector<std::string> expected = {"before Owner (alive)",
                                         "before C",
                                         "owned gone C 0",
                                         "destroy C",
                                         "before B",
                                         "before B1",
                                         "owned gone B1 0",
                                         "destroy B1",
                                         "owned gone B 0",
                                         "destroy B",
                                         "before A",
                                         "owned gone A 0",
                                         "destroy A",
                                         "owned gone Owner 0",
                                         "destroy Owner"};
    EXPECT_EQ(gLog, expected);
}

TEST(Component, FreeingAnOwnedComponentTakesItOutOfItsOwnerAndTellsTheOthers) {
    gLog.clear();
    TLogged* owner = Make(nullptr, "Owner");
    TLogged* a = Make(owner, "A");
    TLogged* b = Make(owner, "B");
    TLogged* watcher = Make(nullptr, "Watcher");  // another owner: needs a free notification
    b->FreeNotification(watcher);
    watcher->watched = b;
    a->watched = b;

    b->Free();
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->FindComponent("B"), nullptr);
    EXPECT_EQ(watcher->watched, nullptr) << "the watcher asked to hear of B going";
    EXPECT_EQ(a->watched, nullptr) << "a sibling hears through the owner";

    // After RemoveFreeNotification the watcher is no longer told.
    TLogged* d = Make(owner, "D");
    d->FreeNotification(watcher);
    d->RemoveFreeNotification(watcher);
    gLog.clear();
    d->Free();
    for (const std::string& line : gLog) EXPECT_EQ(line.find("Watcher hears"), std::string::npos) << line;

    // The watcher going first leaves no dangling link in the watched one.
    TLogged* e = Make(nullptr, "E");
    e->FreeNotification(watcher);
    watcher->Free();
    gLog.clear();
    e->Free();
    EXPECT_EQ(gLog.back(), "destroy E");
    a->watched = nullptr;
    owner->Free();
}

TEST(Component, NamesAreValidatedAndFoundWithoutRegardToCase) {
    TComponent* owner = CreateComponent<TComponent>(nullptr);
    TComponent* edit = CreateComponent<TComponent>(owner);
    edit->SetName("edMC001");
    EXPECT_EQ(owner->FindComponent("EDmc001"), edit);
    EXPECT_EQ(owner->FindComponent(""), nullptr);
    EXPECT_EQ(owner->FindComponent("edMC002"), nullptr);

    TComponent* other = CreateComponent<TComponent>(owner);
    EXPECT_THROW(other->SetName("EDMC001"), EComponentError);
    EXPECT_THROW(other->SetName("1abc"), EComponentError);
    EXPECT_THROW(other->SetName("ed MC"), EComponentError);
    other->SetName("_ok1");
    edit->SetName("EDMC001");  // a change of case of its own name is allowed
    EXPECT_EQ(edit->Name(), "EDMC001");

    // Moving to another owner that already holds the name is refused and leaves it where it was.
    TComponent* second = CreateComponent<TComponent>(nullptr);
    CreateComponent<TComponent>(second)->SetName("_OK1");
    EXPECT_THROW(second->InsertComponent(other), EComponentError);
    EXPECT_EQ(other->Owner(), owner);
    EXPECT_THROW(owner->Components(5), EListError);
    second->Free();
    owner->Free();
}

TEST(Component, ClassChainNamesAndAncestry) {
    TProgramWindow* form = CreateComponent<TProgramWindow>(nullptr);
    std::vector<std::string> chain = form->ClassType().ClassChain();
    std::vector<std::string> expected = {"TProgramWindow", "TBaseWindow", "TForm",       "TCustomForm", "TWinControl",
                                         "TControl",       "TComponent",  "TPersistent", "TObject"};
    EXPECT_EQ(chain, expected);
    EXPECT_EQ(form->ClassName(), "TProgramWindow");
    EXPECT_EQ(form->ClassParent()->ClassName(), "TBaseWindow");
    EXPECT_TRUE(form->InheritsFrom("tform"));
    EXPECT_TRUE(form->InheritsFrom(TCustomForm::StaticClass()));
    EXPECT_FALSE(form->InheritsFrom("TDataModule"));
    EXPECT_FALSE(TForm::StaticClass().InheritsFrom(TProgramWindow::StaticClass()));
    form->Free();
}

TEST(Component, ClassReferencesBuildInstancesByClass) {
    TFormClass formClass = TFormClass::Of<TProgramWindow>();
    EXPECT_EQ(formClass.ClassName(), "TProgramWindow");
    EXPECT_TRUE(formClass.InheritsFrom("TBaseWindow"));

    TComponent* owner = CreateComponent<TComponent>(nullptr);
    TCustomForm* form = formClass.Create(owner);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->ClassName(), "TProgramWindow");
    EXPECT_EQ(form->Owner(), owner);
    EXPECT_EQ(owner->FindComponent("ProgramWindow"), form);
    EXPECT_FALSE(form->Visible()) << "forms are created hidden";

    // A class reference to a base can hold a derived class; an unrelated class is refused.
    TComponentClass any = formClass;
    EXPECT_EQ(any.ClassName(), "TProgramWindow");
    EXPECT_THROW((void)TFormClass(TComponent::StaticClass()), EInvalidCast);
    EXPECT_THROW(TComponentClass().Create(nullptr), EInvalidOperation);
    EXPECT_THROW(TComponentClass::Of<TAbstractPart>().Create(nullptr), EInvalidOperation);

    // Registered classes are found by name.
    RegisterClass<TProgramWindow>();
    EXPECT_EQ(GetClass("tprogramwindow"), &TProgramWindow::StaticClass());
    TComponent* built = TComponentClass(FindClass("TProgramWindow")).Create(nullptr);
    EXPECT_EQ(built->ClassName(), "TProgramWindow");
    built->Free();
    UnRegisterClass(TProgramWindow::StaticClass());
    EXPECT_EQ(GetClass("TProgramWindow"), nullptr);
    EXPECT_THROW(FindClass("TProgramWindow"), EClassNotFound);
    owner->Free();
}

TEST(Component, ComponentRefTurnsNullWhenDestructionStarts) {
    TComponent* owner = CreateComponent<TComponent>(nullptr);
    TComponent* child = CreateComponent<TComponent>(owner);
    TComponentRef<TComponent> ref(child);
    EXPECT_EQ(ref.Get(), child);
    owner->Free();
    EXPECT_EQ(ref.Get(), nullptr);
    EXPECT_FALSE(TComponentRef<TComponent>());
}
