// What a renderer hears: controls tell their peer which property changed, so a peer mirrors the
// headless state without reading anything else.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/ComCtrls.h"
#include "toolkit/ui/widgets/ExtCtrls.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using PeersTest = UiTest;

class TRecordingPeer : public IControlPeer {
public:
    explicit TRecordingPeer(std::vector<std::string>& log) : log_(log) {}
    void PropertyChanged(TControl& control, TPropertyId property) override {
        log_.push_back(control.Name() + "." + std::string(PropertyName(property)));
    }
    void Invalidate(TControl& control) override { ++invalidations; }
    int invalidations = 0;

private:
    std::vector<std::string>& log_;
};

bool Heard(const std::vector<std::string>& log, const std::string& what) {
    return std::find(log.begin(), log.end(), what) != log.end();
}
}  // namespace

TEST_F(PeersTest, ControlsTellTheirPeerWhatChanged) {
    std::vector<std::string> log;
    TPeerFactory saved = PeerFactory();
    SetPeerFactory([&](TControl&) { return std::make_unique<TRecordingPeer>(log); });
    {
        TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
        form->SetName("frm");
        auto make = [&](auto* control, const char* name) {
            control->SetName(name);
            control->SetParent(form.get());
            return control;
        };
        auto* edit = make(CreateComponent<TEdit>(form.get()), "edt");
        auto* combo = make(CreateComponent<TComboBox>(form.get()), "cbo");
        auto* check = make(CreateComponent<TCheckBox>(form.get()), "chk");
        auto* pages = make(CreateComponent<TPageControl>(form.get()), "pg");
        auto* sheet1 = CreateComponent<TTabSheet>(form.get());
        sheet1->SetName("ts1");
        sheet1->SetPageControl(pages);
        auto* sheet2 = CreateComponent<TTabSheet>(form.get());
        sheet2->SetName("ts2");
        sheet2->SetPageControl(pages);
        auto* status = make(CreateComponent<TStatusBar>(form.get()), "sb");
        status->Panels()->Add();
        auto* view = make(CreateComponent<TListView>(form.get()), "lv");
        form->Show();
        ASSERT_NE(edit->Peer(), nullptr) << "showing the form gives every control its peer";
        log.clear();

        edit->SetFocus();
        SimulateTyping(nullptr, "a");
        combo->Items()->Add("x");
        combo->SetItemIndex(0);
        check->SetChecked(true);
        pages->SetActivePage(sheet2);
        sheet1->SetTabVisible(false);
        status->Panels()->Items(0)->SetText("浏览");
        view->Items()->Add()->SetCaption("item");
        view->Columns()->Add();
        edit->SetReadOnly(true);
        for (const char* what :
             {"edt.Caption", "edt.Selection", "edt.ReadOnly", "cbo.Items", "cbo.ItemIndex", "chk.Checked", "pg.ActivePage",
              "ts2.Visible", "ts1.Visible", "ts1.TabVisible", "pg.Tabs", "sb.Panels", "lv.Items", "lv.Columns"}) {
            EXPECT_TRUE(Heard(log, what)) << what;
        }
        EXPECT_GT(static_cast<TRecordingPeer*>(status->Peer())->invalidations, 0) << "panels repaint";

        // Each change is heard under its own name, once; setting what is already there says nothing.
        log.clear();
        edit->SetPasswordChar("*");
        edit->SetPasswordChar("*");
        edit->SetReadOnly(true);
        form->SetWindowState(wsMaximized);
        form->SetWindowState(wsMaximized);
        view->SetViewStyle(vsReport);
        EXPECT_EQ(log, (std::vector<std::string>{"edt.PasswordChar", "frm.WindowState", "lv.ViewStyle"}));

        const int before = static_cast<TRecordingPeer*>(edit->Peer())->invalidations;
        edit->Repaint();
        EXPECT_EQ(static_cast<TRecordingPeer*>(edit->Peer())->invalidations, before + 1)
            << "a peer without an immediate repaint paints at its next chance";
        form->Hide();
    }
    SetPeerFactory(saved);
}
