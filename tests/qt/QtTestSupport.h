#pragma once
// GUI tests: the Qt renderer installed once for the executable (offscreen platform), forms freed
// and events processed after each test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <filesystem>
#include <string>

#include "toolkit/qt/QtPeer.h"
#include "toolkit/qt/QtRenderer.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Button.h"

class QtTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        InstallQtRenderer();
    }
    void TearDown() override {
        ProcessQtEvents();
        while (Screen->FormCount() > 0) Screen->Forms(0)->Free();
        ProcessQtEvents();
        Application->ClearTerminated();
    }

    static TButton* AddButton(TCustomForm* form, const std::string& name, int left, int top) {
        auto* button = CreateComponent<TButton>(form);
        button->SetName(name);
        button->SetCaption(name);
        button->SetBounds(left, top, 75, 25);
        button->SetParent(form);
        return button;
    }
    static QWidget* Window(TCustomForm* form) { return QtWidgetOf(form); }
    static QWidget* WidgetOf(TControl* control) { return QtWidgetOf(control); }

    std::filesystem::path TempFile(const std::string& name) const {
        return std::filesystem::temp_directory_path() / ("tdef-qt-" + std::to_string(::getpid()) + "-" + name);
    }
};
