#pragma once
// A fixture that gives each test scripted services and a clean application state.
#include <gtest/gtest.h>

#include <memory>

#include "toolkit/ui/dialogs/ScriptedMessageService.h"
#include "toolkit/ui/dialogs/ScriptedModalLoop.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Button.h"

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        messages = std::make_shared<TScriptedMessageService>();
        modal = std::make_shared<TScriptedModalLoop>();
        beeps = std::make_shared<THeadlessBeepService>();
        savedMessages_ = Application->SetMessageService(messages);
        savedModal_ = Application->SetModalLoop(modal);
        savedBeeps_ = Application->SetBeepService(beeps);
    }
    void TearDown() override {
        Application->ProcessMessages();
        Application->ClearTerminated();
        Application->SetMessageService(savedMessages_);
        Application->SetModalLoop(savedModal_);
        Application->SetBeepService(savedBeeps_);
        EXPECT_EQ(Screen->FormCount(), 0) << "a test left forms behind";
    }

    // A button on a form.
    static TButton* AddButton(TWinControl* parent, const std::string& name, int modalResult = mrNone) {
        auto* b = CreateComponent<TButton>(GetParentForm(parent) ? static_cast<TComponent*>(GetParentForm(parent)) : parent);
        b->SetName(name);
        b->SetModalResult(modalResult);
        b->SetParent(parent);
        return b;
    }

    std::shared_ptr<TScriptedMessageService> messages;
    std::shared_ptr<TScriptedModalLoop> modal;
    std::shared_ptr<THeadlessBeepService> beeps;

private:
    std::shared_ptr<IMessageService> savedMessages_;
    std::shared_ptr<IModalLoop> savedModal_;
    std::shared_ptr<IBeepService> savedBeeps_;
};
