// The language controller: its folder and file by code page, activation, reading a document into a
// component tree with the property-path grammar, and keyed messages.
#include "i18n/LangController.h"
#include "i18n/LangMessage.h"
#include "i18n/LanguageFolder.h"
#include "tests/i18n/I18nFixture.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/ListView.h"
#include "toolkit/ui/widgets/Memo.h"
#include "toolkit/ui/widgets/Panel.h"
#include "toolkit/ui/widgets/StatusBar.h"
#include "toolkit/ui/widgets/TreeView.h"

namespace {

// A window with the kinds of components language files retitle.
struct TSampleWindow {
    TSampleWindow() {
        form->SetName("frmSample");
        form->SetCaption("样本");
        button = CreateComponent<TButton>(form.get());
        button->SetName("btnSave");
        button->SetCaption("保存");
        button->SetHint("保存资料");
        combo = CreateComponent<TComboBox>(form.get());
        combo->SetName("cboKind");
        combo->Items()->SetText("甲\n乙\n丙");
        combo->SetStyle(csDropDownList);
        combo->SetItemIndex(1);
        list = CreateComponent<TListView>(form.get());
        list->SetName("lvSchemes");
        list->Columns()->Add()->SetCaption("方案名称");
        list->Columns()->Add()->SetCaption("创建时间");
        for (const char* caption : {"一", "二", "三"}) list->Items()->Add()->SetCaption(caption);
        label = CreateComponent<TLabel>(form.get());
        label->SetName("lblNote");
        label->SetCaption("备注");
    }
    TOwnedPtr<TForm> form{CreateComponent<TForm>(nullptr)};
    TButton* button;
    TComboBox* combo;
    TListView* list;
    TLabel* label;
};

TOwnedPtr<TRkLangController> ControllerWithXml(const std::string& xml) {
    TOwnedPtr<TRkLangController> controller(CreateComponent<TRkLangController>(nullptr));
    controller->XmlText()->SetText(xml);
    controller->SetActive(true);
    return controller;
}

}  // namespace

TEST_F(I18nTest, TheLanguageFolderFollowsTheInterfaceCodePage) {
    EXPECT_EQ(LanguageCode("936"), "CHS");
    EXPECT_EQ(LanguageCode("950"), "CHT");
    EXPECT_EQ(LanguageCode("437"), "ENG");
    EXPECT_EQ(LanguageCode("1252"), "");

    install.SetCodePages("950");
    EXPECT_EQ(LanguageFolder(dtClient), LanguageFolderOf("CHT"));
    EXPECT_EQ(LanguageFileName(dtClient, "TQBEForm"), LanguageFolderOf("CHT") + "TQBEForm.Lng");
    install.SetCodePages("437");
    EXPECT_EQ(LanguageFolder(dtClient), LanguageFolderOf("ENG"));

    // A code page without a language, or a language without its folder: no folder part at all.
    install.SetCodePages("1252");
    EXPECT_EQ(LanguageFolder(dtClient), "");
    EXPECT_EQ(LanguageFileName(dtClient, "TQBEForm"), "TQBEForm.Lng");
    install.SetCodePages("936");
    std::filesystem::remove_all(LanguageFolderOf("CHS"));
    EXPECT_EQ(LanguageFolder(dtClient), "");
}

TEST_F(I18nTest, TheControllerOpensItsFileOrTextAndTellsWhyItCannot) {
    install.SetCodePages("437");
    WriteLanguageFile("ENG", "TfrmSample", "<TfrmSample Caption=\"Sample\"/>");
    TOwnedPtr<TRkLangController> controller(CreateComponent<TRkLangController>(nullptr));
    std::vector<std::string> events;
    controller->BeforeOpen = [&](TObject*) { events.push_back("BeforeOpen"); };
    controller->AfterOpen = [&](TObject*) { events.push_back("AfterOpen"); };
    controller->BeforeClose = [&](TObject*) { events.push_back("BeforeClose"); };
    controller->AfterClose = [&](TObject*) { events.push_back("AfterClose"); };

    EXPECT_THROW(
        {
            try {
                controller->Reader();
            } catch (const LanguageControllerError& e) {
                EXPECT_EQ(e.Message(), "No active LanguageController!");
                throw;
            }
        },
        LanguageControllerError);
    try {
        controller->SetActive(true);
        ADD_FAILURE() << "activating without a file or text must fail";
    } catch (const LanguageControllerError& e) {
        EXPECT_EQ(e.Message(), "Cannot Find File !");
    }

    controller->SetLangPackageName("TfrmSample");
    EXPECT_EQ(controller->FileName(), LanguageFolderOf("ENG") + "TfrmSample.Lng");
    events.clear();
    controller->SetActive(true);
    EXPECT_TRUE(controller->Active());
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeOpen", "AfterOpen"}));
    EXPECT_EQ(controller->Document()->DocumentElement().Attribute("Caption"), "Sample");

    // A new package name closes it; XML text replaces the file.
    events.clear();
    controller->SetLangPackageName("TfrmOther");
    EXPECT_FALSE(controller->Active());
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeClose", "AfterClose"}));
    controller->XmlText()->SetText("<TfrmOther Caption=\"Other\"/>");
    EXPECT_EQ(controller->FileName(), "");
    controller->SetActive(true);
    EXPECT_EQ(controller->Document()->DocumentElement().Attribute("Caption"), "Other");

    controller->XmlText()->SetText("<TfrmOther Caption=\"Other\">");
    try {
        controller->SetActive(true);
        ADD_FAILURE() << "a document that does not parse must fail";
    } catch (const LanguageControllerError& e) {
        EXPECT_FALSE(e.Message().empty());
        EXPECT_FALSE(controller->Active());
    }
}

TEST_F(I18nTest, AFormTakesTheDocumentElementThenItsOwnElementThenItsComponents) {
    TSampleWindow window;
    auto controller = ControllerWithXml(
        "<TfrmSample Caption=\"Sample\" Width=\"500\">"
        "  <frmSample Caption=\"Sample window\"/>"
        "  <Buttons><btnSave Caption=\"Save\" Hint=\"Save the record\" Font.Color=\"clRed\"/></Buttons>"
        "  <btnSave Caption=\"Second\"/>"
        "  <lblNote Caption=\"Note\" Alignment=\" taCenter \" Font.Style=\"[fsBold]\" Cursor=\"crHandPoint\"/>"
        "</TfrmSample>");
    std::vector<std::string> loaded;
    controller->BeforeLoadComponent = [&](TObject*, TComponent* component, const TXmlNode& node) {
        loaded.push_back(component->Name() + "<" + node.NodeName());
    };
    controller->SetActive(true);  // the reader takes the events it is created with
    controller->Reader().ApplyTo(window.form.get());

    EXPECT_EQ(window.form->Caption(), "Sample window") << "its own element comes after the document element";
    EXPECT_EQ(window.form->Width(), 500);
    EXPECT_EQ(window.button->Caption(), "Save") << "the first element of the name, at any depth";
    EXPECT_EQ(window.button->Hint(), "Save the record");
    EXPECT_EQ(window.button->Font()->Color(), clRed);
    EXPECT_EQ(window.label->Caption(), "Note");
    EXPECT_EQ(window.label->Alignment(), taCenter) << "enumeration values are trimmed";
    EXPECT_TRUE(window.label->Font()->Style().Contains(fsBold));
    EXPECT_EQ(window.label->Cursor(), crHandPoint);
    EXPECT_EQ(loaded,
              (std::vector<std::string>{"frmSample<TfrmSample", "frmSample<frmSample", "btnSave<btnSave", "lblNote<lblNote"}));
}

TEST_F(I18nTest, IndexedPathsReachListViewColumnsItemsAndStringListLines) {
    TSampleWindow window;
    const int width = window.list->Width();
    auto* status = CreateComponent<TStatusBar>(window.form.get());
    status->SetName("sbStatus");
    status->Panels()->Add()->SetText("浏览");
    status->Panels()->Add()->SetText("单据笔数");
    auto controller = ControllerWithXml(
        "<TfrmSample>"
        "  <lvSchemes Columns_0.Caption=\"Scheme\" Items_2.Caption=\"Three\" Items_7.Caption=\"Nine\""
        "             Columns_5.Width=\"300\" Items_1.SubItems_1=\"later\"/>"
        "  <cboKind Items_5=\"Sixth\" Items_0=\"First\"/>"
        "  <sbStatus Panels_1.Text=\"Records\" Panels_4.Text=\"x\"/>"
        "  <btnSave Font_1.Color=\"clRed\"/>"
        "</TfrmSample>");
    controller->Reader().ApplyTo(window.form.get());
    EXPECT_EQ(status->Panels()->Items(1)->Text(), "Records") << "any collection's items by index";
    EXPECT_EQ(status->Panels()->Count(), 2);
    EXPECT_NE(window.button->Font()->Color(), clRed) << "an index on an object that is no list stops the walk";

    EXPECT_EQ(window.list->Columns()->Items(0)->Caption(), "Scheme");
    EXPECT_EQ(window.list->Columns()->Items(1)->Caption(), "创建时间");
    EXPECT_EQ(window.list->Items()->Item(2)->Caption(), "Three");
    EXPECT_EQ(window.list->Items()->Count(), 3) << "an index beyond the items changes nothing";
    EXPECT_EQ(window.list->Width(), width) << "nor does it fall through to the view";
    EXPECT_EQ(window.list->Items()->Item(1)->SubItems()->Text(), "\r\nlater\r\n");

    ASSERT_EQ(window.combo->Items()->Count(), 6) << "two empty items appended before the sixth";
    EXPECT_EQ(window.combo->Items()->Strings(0), "First");
    EXPECT_EQ(window.combo->Items()->Strings(3), "");
    EXPECT_EQ(window.combo->Items()->Strings(5), "Sixth");
    EXPECT_EQ(window.combo->ItemIndex(), 1) << "the selection stays";
    EXPECT_EQ(window.combo->Text(), "乙");
}

TEST_F(I18nTest, PathsThatDoNotResolveOrValuesThatDoNotFitAreSkipped) {
    TSampleWindow window;
    bool clicked = false;
    window.button->OnClick = [&](TObject*) { clicked = true; };
    auto controller = ControllerWithXml(
        "<TfrmSample>"
        "  <btnSave Width=\"wide\" Caption=\"Save\" NoSuch.Caption=\"x\" Font.NoSuch=\"x\" OnClick=\"FormCreate\""
        "           Font=\"Arial\" Hint_2=\"x\" Tag=\"7\" Caption.Length=\"x\" Font.=\" \"/>"
        "  <cboKind Items=\"a whole list\"/>"
        "</TfrmSample>");
    controller->Reader().ApplyTo(window.form.get());
    EXPECT_EQ(window.button->Caption(), "Save") << "the rest of the element is applied";
    EXPECT_EQ(window.button->Tag(), 7);
    EXPECT_NE(window.button->Width(), 0);
    window.button->Click();
    EXPECT_TRUE(clicked) << "events cannot be rebound by a language file";
    EXPECT_EQ(window.combo->Items()->Count(), 3) << "a string list is only written line by line";
}

TEST_F(I18nTest, AnExcludedComponentKeepsItsTextsWhileWhatItOwnsIsTranslated) {
    TSampleWindow window;
    TPanel* panel = CreateComponent<TPanel>(window.form.get());
    panel->SetName("pnlTools");
    panel->SetCaption("工具");
    TButton* owned = CreateComponent<TButton>(panel);
    owned->SetName("btnOwned");
    owned->SetCaption("属于面板");
    auto controller = ControllerWithXml(
        "<TfrmSample><pnlTools Caption=\"Tools\"/><btnOwned Caption=\"Owned\"/><btnSave Caption=\"Save\"/></TfrmSample>");
    controller->ExcludeControls()->SetText(" PNLTOOLS \nbtnSave");
    controller->Reader().ApplyTo(window.form.get());
    EXPECT_EQ(panel->Caption(), "工具");
    EXPECT_EQ(window.button->Caption(), "保存");
    EXPECT_EQ(owned->Caption(), "Owned");
}

TEST_F(I18nTest, OnlyTheWindowApplyToStartsFromTakesTheDocumentElement) {
    TSampleWindow window;
    TForm* child = CreateComponent<TForm>(window.form.get());
    child->SetName("frmChild");
    child->SetCaption("子窗口");
    auto controller = ControllerWithXml("<TfrmSample Caption=\"Sample\"/>");
    controller->Reader().ApplyTo(window.form.get());
    EXPECT_EQ(window.form->Caption(), "Sample");
    EXPECT_EQ(child->Caption(), "子窗口") << "a window the form owns keeps its own caption";
}

TEST_F(I18nTest, TreeNodesAndDataAwareComboBoxesAreReachedToo) {
    TSampleWindow window;
    auto* tree = CreateComponent<TTreeView>(window.form.get());
    tree->SetName("tvFields");
    TTreeNode* root = tree->Items()->Add(nullptr, "根");
    tree->Items()->AddChild(root, "叶");
    auto* dataCombo = CreateComponent<TDBComboBox>(window.form.get());
    dataCombo->SetName("cboType");
    dataCombo->Items()->SetText("1\t字符\n2\t数字");
    dataCombo->SetItemIndex(1);
    auto controller =
        ControllerWithXml("<x><tvFields Items_1.Text=\"Leaf\"/><cboType Items_0=\"1&#9;Text\" Items_1=\"2&#9;Number\"/></x>");
    controller->Reader().ApplyTo(window.form.get());
    EXPECT_EQ(root->Text(), "根");
    EXPECT_EQ(root->Item(0)->Text(), "Leaf");
    EXPECT_EQ(dataCombo->Items()->Strings(1), "2\tNumber");
    EXPECT_EQ(dataCombo->ItemIndex(), 1);
}

TEST_F(I18nTest, KeyedMessagesComeFromTheClassFileFirstEntryWinsAndEveryCallReadsAnew) {
    install.SetCodePages("437");
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sFailedSave", "保存失败"), "保存失败") << "no file";
    WriteLanguageFile("ENG", "TfrmKeys",
                      "<TfrmKeys><Messages><sFailedSave Msg=\"Save failed\"/></Messages><sFailedSave Msg=\"second\"/>"
                      "<sLines Msg=\"one&#13;&#10;two\"/><sEmpty/></TfrmKeys>");
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sFailedSave", "保存失败"), "Save failed");
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sLines", ""), "one\r\ntwo");
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sEmpty", "默认"), "默认") << "an element without Msg";
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sMissing", "默认"), "默认");
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "bad key", "默认"), "默认");

    WriteLanguageFile("ENG", "TfrmKeys", "<TfrmKeys><sFailedSave Msg=\"Could not save\"/></TfrmKeys>");
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sFailedSave", "保存失败"), "Could not save");
    WriteLanguageFile("ENG", "TfrmKeys", "<TfrmKeys><sFailedSave Msg=\"broken\"></TfrmKeys>");
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sFailedSave", "保存失败"), "保存失败");

    // A lookup batch checks the file once; the first lookup after it sees what changed meanwhile.
    WriteLanguageFile("ENG", "TfrmKeys", "<TfrmKeys><sFailedSave Msg=\"first\"/></TfrmKeys>");
    {
        TLangLookupBatch batch;
        EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sFailedSave", "保存失败"), "first");
        WriteLanguageFile("ENG", "TfrmKeys", "<TfrmKeys><sFailedSave Msg=\"afterwards\"/></TfrmKeys>");
        TLangLookupBatch inner;
        EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sFailedSave", "保存失败"), "first");
    }
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sFailedSave", "保存失败"), "afterwards");
    std::filesystem::remove(LanguageFolderOf("ENG") + "TfrmKeys.Lng");
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sFailedSave", "保存失败"), "保存失败") << "a file removed";
}

TEST_F(I18nTest, WithCodePage1252NothingIsTranslatedUnlessTheWorkingFolderHasTheFile) {
    install.SetCodePages("1252");
    WriteLanguageFile("ENG", "TfrmKeys", "<TfrmKeys><sKey Msg=\"English\"/></TfrmKeys>");
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sKey", "中文"), "中文");
    const std::string working = std::filesystem::current_path().string();
    std::filesystem::current_path(install.Folder());
    std::ofstream("TfrmKeys.Lng") << "<TfrmKeys><sKey Msg=\"Here\"/></TfrmKeys>";
    EXPECT_EQ(GetLangMessage(dtClient, "TfrmKeys", "sKey", "中文"), "Here");
    std::filesystem::current_path(working);
}
