// The code converter: its modes from the configuration, the directions of its conversions, whole
// windows converted at creation, fonts, and its message boxes.
#include "i18n/CodeConverter.h"
#include "tests/i18n/I18nFixture.h"
#include "toolkit/ui/graphics/Font.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/ListBox.h"
#include "toolkit/ui/widgets/ListView.h"
#include "toolkit/ui/widgets/Memo.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/StatusBar.h"

namespace {

TOwnedPtr<TCodeConverter> NewConverter() { return TOwnedPtr<TCodeConverter>(CreateComponent<TCodeConverter>(nullptr)); }

// A window with one component of each kind the conversion treats.
struct TWindow {
    TWindow() {
        form->SetCaption("文档信息录入作业");
        form->SetHint("表单提示");
        converter = CreateComponent<TCodeConverter>(form.get());
        converter->SetName("RkConverter");
        button = Named<TButton>("btnSave");
        button->SetCaption("保存");
        button->SetHint("保存资料");
        edit = Named<TEdit>("edNote");
        edit->SetText("备注");
        memo = Named<TMemo>("moLines");
        memo->Lines()->SetText("第一行\n第二行");
        combo = Named<TComboBox>("cboKind");
        combo->Items()->SetText("单头\n单身");
        combo->SetStyle(csDropDownList);
        combo->SetItemIndex(1);
        typed = Named<TComboBox>("cboTyped");
        typed->Items()->SetText("条件");
        list = Named<TListBox>("lstType");
        list->Items()->SetText("数值\n金额");
        status = Named<TStatusBar>("sbStatus");
        status->Panels()->Add()->SetText("浏览");
        view = Named<TListView>("lvSchemes");
        view->Columns()->Add()->SetCaption("方案名称");
        TListItem* item = view->Items()->Add();
        item->SetCaption("默认方案");
        item->SubItems()->Add("创建时间");
        menu = Named<TPopupMenu>("pmGrid");
        TMenuItem* item1 = CreateComponent<TMenuItem>(form.get());
        item1->SetName("miExport");
        item1->SetCaption("导出");
        menu->Items()->Add(item1);
        TMenuItem* runtime = CreateComponent<TMenuItem>(menu);  // not owned by the window
        runtime->SetCaption("颜色条件");
        menu->Items()->Add(runtime);
    }
    template <class T>
    T* Named(const char* name) {
        T* component = CreateComponent<T>(form.get());
        component->SetName(name);
        return component;
    }
    TOwnedPtr<TForm> form{CreateComponent<TForm>(nullptr)};
    TCodeConverter* converter;
    TButton* button;
    TEdit* edit;
    TMemo* memo;
    TComboBox* combo;
    TComboBox* typed;
    TListBox* list;
    TStatusBar* status;
    TListView* view;
    TPopupMenu* menu;
};

}  // namespace

TEST_F(I18nTest, ModesFollowTheConfiguredCodePages) {
    struct Case {
        const char* ui;
        const char* db;
        int system;
        int languageMode;
        int dbMode;
        const char* sysCodePage;
    };
    for (const Case& c :
         {Case{"936", "936", 936, 0, 0, "936"}, Case{"950", "936", 936, 2, 2, "936"}, Case{"936", "950", 936, 0, 1, "936"},
          Case{"936", "936", 950, 4, 0, "950"}, Case{"437", "936", 1252, 0, 0, "437"}}) {
        install.SetCodePages(c.ui, c.db, c.system);
        auto converter = NewConverter();
        SCOPED_TRACE(std::string(c.ui) + " over " + c.db + " on " + std::to_string(c.system));
        EXPECT_EQ(converter->UICodePage(), c.ui);
        EXPECT_EQ(converter->DBCodePage(), c.db);
        EXPECT_EQ(converter->SysCodePage(), c.sysCodePage);
        EXPECT_EQ(converter->LanguageMode(), c.languageMode);
        EXPECT_EQ(converter->DBConvertMode(), c.dbMode);
        EXPECT_EQ(converter->Translator() != nullptr, c.languageMode != 0 || c.dbMode != 0);
    }
}

TEST_F(I18nTest, ATraditionalInterfaceOverASimplifiedDatabaseConvertsBothWays) {
    install.SetCodePages("950", "936");
    auto converter = NewConverter();
    EXPECT_EQ(converter->ToStorageText("文檔資料"), "文档资料") << "interface -> database: BIG5toGB";
    EXPECT_EQ(converter->FromStorageText("文档资料"), "文檔資料") << "database -> interface: GBtoBIG5";
    EXPECT_EQ(converter->ToDisplayText("录入者"), "錄入者");
    EXPECT_EQ(converter->ToProgramText("錄入者"), "录入者");
    EXPECT_EQ(converter->ToGB("單頭"), "单头");
    EXPECT_EQ(converter->ToBig5("单头"), "單頭");
    EXPECT_EQ(converter->Convert("单头", 3), "单头") << "other conversion types change nothing";
    EXPECT_EQ(converter->FromStorageText(std::string()), "");
    EXPECT_TRUE(converter->FromStorageText(Variant::Null()).IsNull());

    // Variant arrays: one dimension with a nested array, and two dimensions, every string element.
    const Variant row = converter->FromStorageText(VarArrayOf({"单头", 12, VarArrayOf({"单身", Variant::Null()})}));
    EXPECT_EQ(row, VarArrayOf({"單頭", 12, VarArrayOf({"單身", Variant::Null()})}));
    Variant grid = VarArrayCreate(0, 1, 0, 2);
    const char* texts[2][3] = {{"文档", "编号", "类型"}, {"说明", "长度", "实体"}};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) grid.At(i, j) = texts[i][j];
    const Variant converted = converter->FromStorageText(grid);
    ASSERT_EQ(converted.DimCount(), 2);
    EXPECT_EQ(converted.At(0, 0), Variant("文檔"));
    EXPECT_EQ(converted.At(0, 1), Variant("編號"));
    EXPECT_EQ(converted.At(1, 0), Variant("說明"));
    EXPECT_EQ(converted.At(1, 2), Variant("實體"));
    EXPECT_EQ(grid.At(1, 0), Variant("说明")) << "the argument is left as it was";
    EXPECT_EQ(converter->ToStorageText(converted).At(1, 2), Variant("实体"));

    // The same texts with both sides simplified: nothing to do.
    install.SetCodePages("936", "936");
    auto plain = NewConverter();
    EXPECT_EQ(plain->ToStorageText("文檔資料"), "文檔資料");
    EXPECT_EQ(plain->FromStorageText("文档资料"), "文档资料");
    EXPECT_EQ(plain->ToDisplayText("录入者"), "录入者");
}

TEST_F(I18nTest, ASimplifiedInterfaceOverATraditionalDatabaseStoresTraditional) {
    install.SetCodePages("936", "950");
    auto converter = NewConverter();
    EXPECT_EQ(converter->ToStorageText("文档资料"), "文檔資料");
    EXPECT_EQ(converter->FromStorageText("文檔資料"), "文档资料");
    EXPECT_EQ(converter->ToDisplayText("录入者"), "录入者") << "the interface is the program's own script";
}

TEST_F(I18nTest, AMissingTranslatorLibraryIsReportedByName) {
    try {
        TTranslator translator("libNoSuchTranslator.so");
        ADD_FAILURE() << "loading a missing library must fail";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Load Library libNoSuchTranslator.so Error!");
    }
    try {
        TTranslator translator("libtoolkit.so");  // a library without the entries
        ADD_FAILURE() << "a library without the entries must fail";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Get Library Procedure Address Error!");
    }
}

TEST_F(I18nTest, ATraditionalInterfaceConvertsTheWholeWindowAtCreation) {
    install.SetCodePages("950", "936");
    TWindow window;
    window.converter->ConvertForm(window.form.get());

    EXPECT_EQ(window.form->Caption(), "文档信息录入作业") << "on a 936 system the caption waits for the start-up";
    EXPECT_EQ(window.form->Hint(), "表單提示");
    EXPECT_EQ(window.button->Caption(), "保存");
    EXPECT_EQ(window.button->Hint(), "保存資料");
    EXPECT_EQ(window.button->Font()->Name(), "SimSun");
    EXPECT_EQ(window.button->Font()->Charset(), CHINESEBIG5_CHARSET);
    EXPECT_EQ(window.edit->Text(), "備注") << "characters alone, not words (備註)";
    EXPECT_EQ(window.memo->Lines()->Text(), "第一行\r\n第二行\r\n");
    EXPECT_EQ(window.combo->Items()->Strings(0), "單頭");
    EXPECT_EQ(window.combo->ItemIndex(), 1) << "items converted, selection kept";
    EXPECT_EQ(window.combo->Style(), csOwnerDrawFixed);
    EXPECT_EQ(window.typed->Style(), csDropDown) << "an editable combo box stays editable";
    EXPECT_EQ(window.typed->Items()->Strings(0), "條件");
    EXPECT_EQ(window.list->Style(), lbOwnerDrawFixed);
    EXPECT_EQ(window.list->Items()->Strings(1), "金額");
    EXPECT_EQ(window.status->Panels()->Items(0)->Text(), "瀏覽");
    EXPECT_EQ(window.view->Columns()->Items(0)->Caption(), "方案名稱");
    EXPECT_EQ(window.view->Items()->Item(0)->Caption(), "默認方案");
    EXPECT_EQ(window.view->Items()->Item(0)->SubItems()->Strings(0), "創建時間");
    EXPECT_EQ(window.menu->Items()->Items(0)->Caption(), "導出");
    EXPECT_EQ(window.menu->Items()->Items(1)->Caption(), "顏色條件");
    EXPECT_EQ(Screen->HintFont()->Charset(), CHINESEBIG5_CHARSET);

    // On a traditional system the caption is converted too.
    install.SetCodePages("950", "936", 950);
    TWindow onBig5;
    onBig5.converter->ConvertForm(onBig5.form.get());
    EXPECT_EQ(onBig5.form->Caption(), "文檔信息錄入作業");
}

TEST_F(I18nTest, TheExceptionListLeavesNamedComponentsOrSomeOfTheirGroups) {
    install.SetCodePages("950", "936");
    TWindow window;
    window.button->SetParentFont(true);
    window.converter->ConvertFormWithList(
        window.form.get(), VarArrayOf({"BTNSAVE", VarArrayOf({"cboKind", "Items,Style"}), VarArrayOf({"edNote"})}));
    EXPECT_EQ(window.converter->ExceptionList()->Count(), 3);
    EXPECT_EQ(window.converter->ExceptionList()->Strings(1), "cboKind\3Items,Style");
    EXPECT_EQ(window.button->Caption(), "保存");
    EXPECT_EQ(window.button->Hint(), "保存资料") << "an entry without groups leaves the component alone";
    EXPECT_FALSE(window.button->ParentFont());
    EXPECT_EQ(window.combo->Items()->Strings(0), "单头");
    EXPECT_EQ(window.combo->Style(), csDropDownList);
    EXPECT_EQ(window.combo->Font()->Charset(), CHINESEBIG5_CHARSET) << "groups the entry does not name";
    EXPECT_EQ(window.edit->Text(), "备注");
    EXPECT_EQ(window.memo->Lines()->Strings(0), "第一行");
    EXPECT_EQ(window.status->Panels()->Items(0)->Text(), "瀏覽") << "components without an entry as always";
}

TEST_F(I18nTest, ASimplifiedInterfaceOnATraditionalSystemKeepsTextsAndSetsFonts) {
    install.SetCodePages("936", "936", 950);
    TWindow window;
    ASSERT_EQ(window.converter->LanguageMode(), 4);
    window.converter->ConvertForm(window.form.get());
    EXPECT_EQ(window.button->Hint(), "保存资料");
    EXPECT_EQ(window.view->Columns()->Items(0)->Caption(), "方案名称");
    EXPECT_EQ(window.menu->Items()->Items(1)->Caption(), "颜色条件");
    EXPECT_EQ(window.button->Font()->Name(), "SimSun");
    EXPECT_EQ(window.button->Font()->Charset(), GB2312_CHARSET);
    EXPECT_EQ(window.combo->Style(), csOwnerDrawFixed);

    // Without a language mode nothing at all changes.
    install.SetCodePages("437", "936");
    TWindow english;
    const std::string fontName = english.button->Font()->Name();
    english.converter->ConvertForm(english.form.get());
    EXPECT_EQ(english.button->Font()->Name(), fontName);
    EXPECT_EQ(english.combo->Style(), csDropDownList);
}

TEST_F(I18nTest, FontsFollowTheMode) {
    TOwnedPtr<TFont> font(new TFont);
    for (int mode : {0, 1, 4}) {
        font->SetName("Arial");
        TCodeConverter::ApplyFont(mode, font.get());
        EXPECT_EQ(font->Name(), "SimSun");
        EXPECT_EQ(font->Charset(), GB2312_CHARSET);
    }
    for (int mode : {2, 3}) {
        font->SetName("Arial");
        TCodeConverter::ApplyFont(mode, font.get());
        EXPECT_EQ(font->Charset(), CHINESEBIG5_CHARSET);
    }
    font->SetName("Arial");
    TCodeConverter::ApplyFont(5, font.get());
    EXPECT_EQ(font->Name(), "Arial");

    // Name and character set change together: the controls that follow the font hear of it once.
    font->SetCharset(GB2312_CHARSET);
    int changes = 0;
    font->OnChange = [&](TObject*) { ++changes; };
    TCodeConverter::ApplyFont(2, font.get());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(font->Charset(), CHINESEBIG5_CHARSET);
    TCodeConverter::ApplyFont(3, font.get());
    EXPECT_EQ(changes, 1) << "nothing to change";
    TCodeConverter::ApplyFont(1, font.get());
    EXPECT_EQ(changes, 2);
}

TEST_F(I18nTest, MessageBoxesTakeTheWindowsCaptionAndTheInterfaceFont) {
    install.SetCodePages("950", "936");
    TWindow window;
    window.form->SetWindowState(wsMinimized);
    app.Messages().QueueAnswer(mrYes);
    EXPECT_EQ(window.converter->ShowMessageBox("確定刪除?", mtConfirmation, {mbYes, mbNo}), mrYes);
    EXPECT_EQ(window.form->WindowState(), wsNormal) << "a minimised owner is restored first";
    ASSERT_EQ(app.Messages().Shown().size(), 1u);
    const TMessageDlgRequest& shown = app.Messages().Shown()[0].Request;
    EXPECT_EQ(shown.Text, "確定刪除?      ") << "six blanks with the system code page 936";
    EXPECT_EQ(shown.Caption, "文档信息录入作业");
    EXPECT_EQ(shown.FontName, "SimSun");
    EXPECT_EQ(shown.FontCharset, CHINESEBIG5_CHARSET);
    EXPECT_EQ(window.converter->ShowMessageBox("", mtError, {mbOK}), 0);
    EXPECT_EQ(app.Messages().Shown().size(), 1u) << "an empty text shows nothing";

    install.SetCodePages("950", "936", 950);
    TWindow onBig5;
    onBig5.converter->ShowMessageBox("錯誤", mtError, {mbOK});
    EXPECT_EQ(app.Messages().Shown().back().Request.Text, "錯誤");
}
