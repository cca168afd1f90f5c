// The F2 and phrase lookups of program forms, and the disabled images framework windows give buttons.
#include <gtest/gtest.h>

#include "controls/InteraParam.h"
#include "framework/forms/DisabledGlyph.h"
#include "framework/forms/RadicalForm.h"
#include "server/Brokers.h"
#include "tests/spine/units/BrokerDoubles.h"
#include "tests/testkit/ScriptedApp.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/data/Field.h"
#include "toolkit/ui/dataaware/DBCtrls.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/GlyphButton.h"

namespace {

class LookupForm : public ::testing::Test {
protected:
    void SetUp() override {
        lookup->On("F2GetData", [this](VarArgs&) { return rows; });
        form->Brokers->LookupService = Variant(DispatchPtr(lookup));
        form->Brokers->DatabaseName = "DEMO";
        cds->FieldDefs().Add("MC004", ftString, 3);
        cds->FieldDefs().Add("MC004C", ftString, 24);
        cds->FieldDefs().Add("MD006", ftFloat);
        cds->CreateDataSet();
        cds->Append();
        edit->SetParent(form.get());
        form->Show();
    }
    Variant LastRequest() const { return lookup->CallsOf("F2GetData").back().Args.at(0); }

    TScriptedApp app;
    TOwnedPtr<TfrmRadical> form{CreateComponent<TfrmRadical>(nullptr)};
    TClientDataSet* cds = CreateComponent<TClientDataSet>(form.get());
    TEdit* edit = CreateComponent<TEdit>(form.get());
    std::shared_ptr<TRecordingDispatch> lookup = std::make_shared<TRecordingDispatch>();
    Variant rows;
};

TColor Rgb(TColor color) { return static_cast<TColor>(ColorToRGB(color)); }

}  // namespace

TEST_F(LookupForm, F2FillsTheTargetFieldsFromTheChosenRows) {
    form->SetActiveControl(edit);
    edit->SetText("ad");
    rows = VarArrayOf({VarArrayOf({"ADM", "系统管理"})});
    form->F2Lookup(cds->FieldByName("MC004"), "MC004,MC004C", true, false, VarArrayOf({""}), "ADMMA", "01");
    EXPECT_EQ(cds->FieldByName("MC004")->AsString(), "ADM");
    EXPECT_EQ(cds->FieldByName("MC004C")->AsString(), "系统管理");
    EXPECT_EQ(edit->Text(), "ADM");
    Variant request = LastRequest();
    EXPECT_EQ(request[0], Variant("ADMMA"));
    EXPECT_EQ(request[1], Variant("01"));
    EXPECT_EQ(request[3], Variant(true));
    EXPECT_EQ(request[4], Variant("ad")) << "the focused edit's text is the search text";
    EXPECT_EQ(request[7], Variant(static_cast<long long>(form->Handle())));

    // Several rows: each further row goes into a new record.
    rows = VarArrayOf({VarArrayOf({"MFG", "生产管理"}), VarArrayOf({"PUR", "采购管理"})});
    form->F2Lookup(cds->FieldByName("MC004"), "MC004,MC004C", false, false, VarArrayOf({""}), "ADMMA", "01");
    EXPECT_EQ(cds->State(), dsInsert);
    EXPECT_EQ(cds->FieldByName("MC004")->AsString(), "PUR");
    cds->Post();
    EXPECT_EQ(cds->RecordCount(), 2);
    EXPECT_EQ(cds->FieldByName("MC004C")->AsString(), "采购管理");

    // Nothing chosen: nothing changes.
    rows = Variant();
    form->F2Lookup(cds->FieldByName("MC004"), "", false, false, VarArrayOf({""}), "ADMMA", "01");
    EXPECT_EQ(cds->FieldByName("MC004")->AsString(), "PUR");
}

TEST_F(LookupForm, F2SearchesWithTheFieldsTextOrANumberWithoutSeparators) {
    auto* button = CreateComponent<TButton>(form.get());
    button->SetParent(form.get());
    form->SetActiveControl(button);
    cds->FieldByName("MC004")->SetAsString("AD");
    rows = VarArrayOf({VarArrayOf({"ADM"})});
    form->F2Lookup(cds->FieldByName("MC004"), "", false, true, VarArrayOf({""}), "ADMMA", "01");
    EXPECT_EQ(LastRequest()[4], Variant("AD")) << "no edit focused: the field's text";
    EXPECT_EQ(LastRequest()[9], Variant(true));
    EXPECT_EQ(cds->FieldByName("MC004")->AsString(), "ADM") << "the target defaults to the field";

    form->SetActiveControl(edit);
    edit->SetText("1,234.5");
    rows = VarArrayOf({VarArrayOf({1234.5})});
    form->F2Lookup(cds->FieldByName("MD006"), "", false, false, Variant(), "INVMB", "01");
    EXPECT_EQ(LastRequest()[4], Variant("1234.5"));
    EXPECT_DOUBLE_EQ(cds->FieldByName("MD006")->AsFloat(), 1234.5);
}

TEST_F(LookupForm, PhraseLookupPutsTheChosenPhraseIntoTheField) {
    int answer = 0;
    lookup->On("GetPhrase2", [&answer](VarArgs& a) {
        a.at(3).Assign(answer < 0 ? "" : "常用语");
        return Variant(answer);
    });
    cds->FieldByName("MC004C")->SetAsString("常");
    form->PhraseLookup(cds->FieldByName("MC004C"));
    EXPECT_EQ(cds->FieldByName("MC004C")->AsString(), "常用语");
    EXPECT_EQ(lookup->CallsOf("GetPhrase2").at(0).Args.at(3), Variant("常"));
    answer = -1;
    cds->FieldByName("MC004C")->SetAsString("原文");
    form->PhraseLookup(cds->FieldByName("MC004C"));
    EXPECT_EQ(cds->FieldByName("MC004C")->AsString(), "原文") << "a cancelled window changes nothing";
}

TEST(DisabledGlyph, DarkPixelsAndLightEdgesFormTheDisabledImage) {
    const TColor T = clFuchsia, D = clBlack, L = clWhite;
    const TColor pixels[3][4] = {{T, D, L, L}, {T, L, L, L}, {T, T, L, D}};
    TBitmap glyph(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) glyph.SetPixel(x, y, pixels[y][x]);

    EXPECT_EQ(DisabledMask(glyph), (std::vector<bool>{false, true, false, false,  //
                                                      false, true, false, false,  //
                                                      false, false, true, true}));
    AddDisabledImage(glyph);
    ASSERT_EQ(glyph.Width(), 8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(glyph.Pixel(x, y), Rgb(pixels[y][x])) << "left half " << x << "," << y;
    const TColor S = Rgb(clBtnShadow), H = Rgb(clBtnHighlight), t = Rgb(T);
    const TColor disabled[3][4] = {{t, S, t, t}, {t, S, H, t}, {t, t, S, S}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(glyph.Pixel(4 + x, y), disabled[y][x]) << "right half " << x << "," << y;

    TBitmap empty;
    AddDisabledImage(empty);
    EXPECT_TRUE(empty.Empty());
}

namespace {

class TButtonsForm : public TRKForm {
public:
    explicit TButtonsForm(TComponent* owner) : TRKForm(owner) {
        TBitmap picture(3, 2);
        picture.SetPixel(1, 0, clBlack);
        single = CreateComponent<TSpeedButton>(this);
        single->SetGlyph(&picture);
        twice = CreateComponent<TSpeedButton>(this);
        TBitmap pair(6, 2);
        twice->SetGlyph(&pair);
        twice->SetNumGlyphs(2);
        bare = CreateComponent<TSpeedButton>(this);
        bit = CreateComponent<TBitBtn>(this);
        bit->SetGlyph(&picture);
    }
    TSpeedButton* single;
    TSpeedButton* twice;
    TSpeedButton* bare;
    TBitBtn* bit;
};

}  // namespace

TEST(DisabledGlyph, FrameworkWindowsGiveOneImageButtonsTheirDisabledImage) {
    TOwnedPtr<TButtonsForm> form(CreateComponent<TButtonsForm>(nullptr));
    EXPECT_EQ(form->single->NumGlyphs(), 2);
    EXPECT_EQ(form->single->Glyph()->Width(), 6);
    EXPECT_EQ(form->single->Glyph()->Pixel(4, 0), Rgb(clBtnShadow));
    EXPECT_EQ(form->bit->NumGlyphs(), 2);
    EXPECT_EQ(form->bit->Glyph()->Width(), 6);
    EXPECT_EQ(form->twice->NumGlyphs(), 2);
    EXPECT_EQ(form->twice->Glyph()->Width(), 6) << "a button with its own disabled image keeps it";
    EXPECT_EQ(form->bare->NumGlyphs(), 1);
    EXPECT_TRUE(form->bare->Glyph()->Empty());
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_EQ(form->Position(), poScreenCenter);
}

namespace {

// A program form whose F2 on the code edit looks up systems, as programs write their F2 handlers.
class TfrmSystems : public TfrmRadical {
public:
    using TfrmRadical::TfrmRadical;
    TDBEdit* edCode = nullptr;
    void OnF2Key(WORD& key, TWinControl* control) override {
        if (control == edCode) F2Lookup(edCode->Field(), "MC004,MC004C", false, false, VarArrayOf({""}), "ADMMA", "01");
    }
};

}  // namespace

TEST(LookupCombo, AsksForTheF2ParameterAndFillsTheFieldsWithTheRowsItReturns) {
    TScriptedApp app;
    TOwnedPtr<TfrmSystems> form(CreateComponent<TfrmSystems>(nullptr));
    auto lookup = std::make_shared<TRecordingDispatch>();
    lookup->On("F2GetData", [](VarArgs&) { return Variant(); });
    form->Brokers->LookupService = Variant(DispatchPtr(lookup));
    form->Brokers->DatabaseName = "DEMO";
    form->DateSeparator = "/";
    form->SetCaption("系统");
    auto* cds = CreateComponent<TClientDataSet>(form.get());
    cds->FieldDefs().Add("MC004", ftString, 3);
    cds->FieldDefs().Add("MC004C", ftString, 24);
    cds->CreateDataSet();
    cds->Append();
    auto* source = CreateComponent<TDataSource>(form.get());
    source->SetDataSet(cds);
    form->edCode = CreateComponent<TDBEdit>(form.get());
    form->edCode->SetParent(form.get());
    form->edCode->SetDataSource(source);
    form->edCode->SetDataField("MC004");
    form->Show();
    form->edCode->SetFocus();
    form->edCode->SetText("ad");

    TInteraParam param;
    form->GetBaseClassParam(form->edCode, param);
    ASSERT_TRUE(param.OpenParam.IsArray());
    EXPECT_EQ(param.OpenParam.High() - param.OpenParam.Low() + 1, 14);
    EXPECT_EQ(param.OpenParam[0], Variant("ADMMA"));
    EXPECT_EQ(param.OpenParam[4], Variant("ad")) << "the edit's text is the search text";
    EXPECT_EQ(param.OpenParam[5], Variant("DEMO"));
    EXPECT_EQ(param.OpenParam[13], Variant("9"));
    EXPECT_EQ(param.DateSeparator, "/");
    EXPECT_EQ(param.Caption, "系统");
    ASSERT_TRUE(param.ToUserScript && param.FromUserScript);
    EXPECT_EQ(param.ToUserScript("系统"), "系统");
    EXPECT_TRUE(lookup->CallsOf("F2GetData").empty()) << "collecting the parameter opens no window";
    EXPECT_EQ(form->LookupParamMode, lpmNormal);

    // The combo returns two rows: the first fills the current record, the second a new one.
    param.ReturnValue = VarArrayOf({VarArrayOf({"ADM", "系统管理"}), VarArrayOf({"PUR", "采购管理"})});
    form->SetReturn(form->edCode, &param);
    EXPECT_TRUE(lookup->CallsOf("F2GetData").empty()) << "the returned rows are used without a call";
    EXPECT_EQ(form->LookupParamMode, lpmNormal);
    cds->Post();
    EXPECT_EQ(cds->RecordCount(), 2);
    cds->First();
    EXPECT_EQ(cds->FieldByName("MC004")->AsString(), "ADM");
    EXPECT_EQ(cds->FieldByName("MC004C")->AsString(), "系统管理");
    cds->Last();
    EXPECT_EQ(cds->FieldByName("MC004")->AsString(), "PUR");
    EXPECT_EQ(form->edCode->Text(), "PUR") << "the bound edit shows the record's value";

    // F2 itself goes to the lookup service again.
    form->edCode->SetFocus();
    form->Perform(WM_KEYDOWN, VK_F2, 0);
    EXPECT_EQ(lookup->CallsOf("F2GetData").size(), 1u);
    form->Hide();
}
