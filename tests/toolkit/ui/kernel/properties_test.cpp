#include <gtest/gtest.h>

#include "toolkit/classes/Component.h"
#include "toolkit/ui/graphics/Graphics.h"
#include "toolkit/ui/kernel/Forms.h"

enum TSampleKind {
    skPlain,
    skBold,
    skFancy
};
TK_ENUM_TYPE(TSampleKind, "skPlain", "skBold", "skFancy")
enum TSampleOption {
    soA,
    soB,
    soC
};
TK_ENUM_TYPE(TSampleOption, "soA", "soB", "soC")
using TSampleOptions = TSet<TSampleOption>;

namespace {

class TSample : public TComponent {
    TK_CLASS_PUBLISHED(TSample, TComponent)
public:
    explicit TSample(TComponent* owner) : TComponent(owner) {}
    int Count() const { return count_; }
    void SetCount(int v) { count_ = v; }
    std::int64_t Big() const { return big_; }
    void SetBig(std::int64_t v) { big_ = v; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& v) { title_ = v; }
    TSampleKind Kind() const { return kind_; }
    void SetKind(TSampleKind v) { kind_ = v; }
    TSampleOptions Options() const { return options_; }
    void SetOptions(TSampleOptions v) { options_ = v; }
    bool Active() const { return active_; }
    void SetActive(bool v) { active_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    TColor Color() const { return color_; }
    void SetColor(TColor v) { color_ = v; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor v) { cursor_ = v; }
    TFont* Font() const { return font_.get(); }
    TStringList* Lines() const { return lines_.get(); }
    int Fixed() const { return 42; }
    void Poke(TObject* sender) { poked = sender; }

    TNotifyEvent OnChange;
    TObject* poked = nullptr;

private:
    int count_ = 0;
    std::int64_t big_ = 0;
    std::string title_;
    TSampleKind kind_ = skPlain;
    TSampleOptions options_;
    bool active_ = false;
    double ratio_ = 0;
    TColor color_ = clWindow;
    TCursor cursor_ = crDefault;
    TOwnedPtr<TFont> font_{new TFont};
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
};

class TSampleChild : public TSample {
    TK_CLASS_PUBLISHED(TSampleChild, TSample)
public:
    explicit TSampleChild(TComponent* owner) : TSample(owner) {}
    const std::string& Extra() const { return extra_; }
    void SetExtra(const std::string& v) { extra_ = v; }

private:
    std::string extra_;
};

}  // namespace

void TSample::Publish(TPublisher<TSample>& p) {
    p.Property("Count", &TSample::Count, &TSample::SetCount);
    p.Property("Big", &TSample::Big, &TSample::SetBig);
    p.Property("Title", &TSample::Title, &TSample::SetTitle);
    p.Property("Kind", &TSample::Kind, &TSample::SetKind);
    p.Property("Options", &TSample::Options, &TSample::SetOptions);
    p.Property("Active", &TSample::Active, &TSample::SetActive);
    p.Property("Ratio", &TSample::Ratio, &TSample::SetRatio);
    p.Property("Color", &TSample::Color, &TSample::SetColor);
    p.Property("Cursor", &TSample::Cursor, &TSample::SetCursor);
    p.Property("Font", &TSample::Font);
    p.Property("Lines", &TSample::Lines);
    p.Property("Fixed", &TSample::Fixed);
    p.Property("OnChange", &TSample::OnChange);
    p.Method("Poke", &TSample::Poke);
}

void TSampleChild::Publish(TPublisher<TSampleChild>& p) { p.Property("Extra", &TSampleChild::Extra, &TSampleChild::SetExtra); }

TEST(Properties, ValuesOfEveryKindByName) {
    TOwnedPtr<TSample> s(CreateComponent<TSample>(nullptr));
    SetPropValue(s.get(), "count", 12);
    SetPropValue(s.get(), "Big", Variant(static_cast<long long>(1) << 40));
    SetPropValue(s.get(), "TITLE", "示例文字");
    SetPropValue(s.get(), "Active", "True");
    SetPropValue(s.get(), "Ratio", "2.5");
    EXPECT_EQ(s->Count(), 12);
    EXPECT_EQ(s->Big(), std::int64_t{1} << 40);
    EXPECT_EQ(s->Title(), "示例文字");
    EXPECT_TRUE(s->Active());
    EXPECT_DOUBLE_EQ(s->Ratio(), 2.5);
    EXPECT_EQ(GetPropValue(s.get(), "Count").AsInteger(), 12);
    EXPECT_EQ(GetPropValue(s.get(), "Title").AsString(), "示例文字");
    EXPECT_TRUE(GetPropValue(s.get(), "Active").AsBool());
    SetPropValue(s.get(), "Active", 0);
    EXPECT_FALSE(s->Active());
    EXPECT_EQ(GetStrProp(s.get(), "Title"), "示例文字");
    SetOrdProp(s.get(), "Count", 7);
    EXPECT_EQ(GetOrdProp(s.get(), "Count"), 7);
    EXPECT_EQ(GetPropValue(s.get(), "Fixed").AsInteger(), 42);
}

TEST(Properties, EnumerationsSetsColoursAndCursorsByNameOrNumber) {
    TOwnedPtr<TSample> s(CreateComponent<TSample>(nullptr));
    SetPropValue(s.get(), "Kind", "  skfancy ");
    EXPECT_EQ(s->Kind(), skFancy);
    EXPECT_EQ(GetPropValue(s.get(), "Kind").AsString(), "skFancy");
    SetPropValue(s.get(), "Kind", 1);
    EXPECT_EQ(s->Kind(), skBold);
    EXPECT_THROW(SetPropValue(s.get(), "Kind", "skNone"), EPropertyConvertError);
    EXPECT_THROW(SetPropValue(s.get(), "Kind", 3), EPropertyConvertError);
    EXPECT_EQ(s->Kind(), skBold);

    SetPropValue(s.get(), "Options", "[soA, soC]");
    EXPECT_EQ(s->Options(), (TSampleOptions{soA, soC}));
    EXPECT_EQ(GetPropValue(s.get(), "Options").AsString(), "soA,soC");
    EXPECT_EQ(GetSetProp(s.get(), "Options", true), "[soA,soC]");
    SetSetProp(s.get(), "Options", "soB");
    EXPECT_EQ(s->Options(), TSampleOptions{soB});
    SetPropValue(s.get(), "Options", "[]");
    EXPECT_TRUE(s->Options().Empty());
    EXPECT_THROW(SetPropValue(s.get(), "Options", "[soA,soZ]"), EPropertyConvertError);

    SetPropValue(s.get(), "Color", "clRed");
    EXPECT_EQ(s->Color(), clRed);
    EXPECT_EQ(GetPropValue(s.get(), "Color").AsInteger(), 0x0000FF);
    SetPropValue(s.get(), "Color", "clBtnFace");
    EXPECT_EQ(s->Color(), clBtnFace);
    SetPropValue(s.get(), "Color", "$00FF00");
    EXPECT_EQ(s->Color(), clLime);
    SetPropValue(s.get(), "Color", 0x123456);
    EXPECT_EQ(static_cast<int>(s->Color()), 0x123456);
    EXPECT_THROW(SetPropValue(s.get(), "Color", "clNotAColour"), EConvertError);

    SetPropValue(s.get(), "Cursor", "crHourGlass");
    EXPECT_EQ(s->Cursor(), crHourGlass);
    SetPropValue(s.get(), "Cursor", -21);
    EXPECT_EQ(s->Cursor(), crHandPoint);
}

TEST(Properties, DottedPathsGoThroughObjectProperties) {
    TOwnedPtr<TSample> s(CreateComponent<TSample>(nullptr));
    SetPropValue(s.get(), "Font.Color", "clRed");
    SetPropValue(s.get(), "Font.Style", "[fsBold,fsItalic]");
    SetPropValue(s.get(), "Font.Charset", "GB2312_CHARSET");
    SetPropValue(s.get(), "Font.Name", "SimSun");
    EXPECT_EQ(s->Font()->Color(), clRed);
    EXPECT_EQ(s->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(s->Font()->Charset(), GB2312_CHARSET);
    EXPECT_EQ(GetPropValue(s.get(), "font.name").AsString(), "SimSun");
    EXPECT_EQ(GetObjectProp(s.get(), "Font"), s->Font());
    EXPECT_TRUE(IsPublishedProp(s.get(), "Font.Size"));
    EXPECT_FALSE(IsPublishedProp(s.get(), "Font.Nope"));
    EXPECT_FALSE(IsPublishedProp(s.get(), "Title.Length"));
    EXPECT_EQ(PropType(s.get(), "Font"), tkClass);
    EXPECT_EQ(PropType(s.get(), "Font.Color"), tkInteger);
    EXPECT_EQ(PropType(s.get(), "Lines"), tkStrings);
    EXPECT_EQ(PropType(s.get(), "OnChange"), tkMethod);

    // A string list is written and read as its text.
    SetPropValue(s.get(), "Lines", "一\r\n二");
    ASSERT_EQ(s->Lines()->Count(), 2);
    EXPECT_EQ(s->Lines()->Strings(1), "二");
    EXPECT_EQ(GetStringsProp(s.get(), "Lines"), s->Lines());
}

TEST(Properties, UnknownReadOnlyAndUnfittingPropertiesAreErrors) {
    TOwnedPtr<TSample> s(CreateComponent<TSample>(nullptr));
    try {
        SetPropValue(s.get(), "Nope", 1);
        FAIL() << "no error for an unknown property";
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Property Nope does not exist");
    }
    EXPECT_THROW(GetPropValue(s.get(), "Font.Nope"), EPropertyError);
    EXPECT_THROW(GetPropValue(s.get(), "Title.Nope"), EPropertyError);
    EXPECT_THROW(SetPropValue(s.get(), "Fixed", 1), EPropertyError);
    EXPECT_THROW(GetPropValue(s.get(), "Font"), EPropertyError) << "an object has no variant value";
    EXPECT_THROW(SetPropValue(s.get(), "Count", "twelve"), EConvertError);
    EXPECT_EQ(s->Count(), 0);
}

TEST(Properties, PublishedNamesIncludeAncestorsFirst) {
    TOwnedPtr<TSampleChild> c(CreateComponent<TSampleChild>(nullptr));
    std::vector<std::string> names = GetPublishedPropNames(c.get());
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names[0], "Name");
    EXPECT_EQ(names[1], "Tag");
    EXPECT_EQ(names[2], "Count");
    EXPECT_EQ(names.back(), "Extra");
    SetPropValue(c.get(), "Extra", "x");
    SetPropValue(c.get(), "Title", "inherited");
    EXPECT_EQ(c->Extra(), "x");
    EXPECT_EQ(c->Title(), "inherited");
    EXPECT_FALSE(IsPublishedProp(CreateComponent<TSample>(c.get()), "Extra"));
}

TEST(Properties, EventsAndMethodsByName) {
    TOwnedPtr<TSample> s(CreateComponent<TSample>(nullptr));
    int calls = 0;
    SetMethodProp<TNotifyEvent>(s.get(), "OnChange", [&](TObject*) { ++calls; });
    s->OnChange(s.get());
    EXPECT_EQ(calls, 1);
    TNotifyEvent saved = GetMethodProp<TNotifyEvent>(s.get(), "OnChange");
    saved(nullptr);
    EXPECT_EQ(calls, 2);
    using TWrong = std::function<void()>;
    EXPECT_THROW(SetMethodProp<TWrong>(s.get(), "OnChange", [] {}), EPropertyError);

    auto poke = MethodAddress<void(TObject*)>(s.get(), "poke");
    ASSERT_TRUE(poke);
    poke(s.get());
    EXPECT_EQ(s->poked, s.get());
    EXPECT_FALSE(MethodAddress<void()>(s.get(), "Poke")) << "wrong signature";
    EXPECT_FALSE(MethodAddress<void(TObject*)>(s.get(), "Nope"));
}

TEST(Properties, FormPropertiesAsLanguageFilesSetThem) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    SetPropValue(form.get(), "Caption", "示例窗口");
    SetPropValue(form.get(), "Font.Color", "clNavy");
    SetPropValue(form.get(), "Position", "poScreenCenter");
    SetPropValue(form.get(), "KeyPreview", true);
    SetPropValue(form.get(), "Hint", "短|长");
    EXPECT_EQ(form->Caption(), "示例窗口");
    EXPECT_EQ(form->Font()->Color(), clNavy);
    EXPECT_EQ(form->Position(), poScreenCenter);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_EQ(GetShortHint(form->Hint()), "短");
    EXPECT_EQ(GetLongHint(form->Hint()), "长");
    EXPECT_EQ(GetShortHint("只有一个"), "只有一个");
    EXPECT_EQ(GetLongHint("只有一个"), "只有一个");
    EXPECT_EQ(GetPropValue(form.get(), "Color").AsInteger(), static_cast<int>(clBtnFace));
}

TEST(Graphics, ColourCursorAndFontConversions) {
    EXPECT_EQ(ColorToString(clWindow), "clWindow");
    EXPECT_EQ(ColorToString(clGray), "clGray");
    EXPECT_EQ(ColorToString(static_cast<TColor>(0x123456)), "$00123456");
    EXPECT_EQ(StringToColor("$00123456"), 0x123456);
    EXPECT_EQ(StringToColor("clwindow"), clWindow);
    EXPECT_EQ(StringToColor("$80000005"), clWindow);
    EXPECT_EQ(StringToColor("clDkGray"), clGray);
    EXPECT_THROW(StringToColor("reddish"), EConvertError);
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
    EXPECT_EQ(RGB(1, 2, 3), 0x030201);

    EXPECT_EQ(CursorToString(crHourGlass), "crHourGlass");
    EXPECT_EQ(StringToCursor("crHandPoint"), crHandPoint);
    EXPECT_EQ(StringToCursor("-11"), crHourGlass);
    EXPECT_EQ(CursorToString(static_cast<TCursor>(5)), "5");

    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(font.Size(), 12);
    font.SetName("");
    EXPECT_EQ(font.Name(), "MS Sans Serif") << "an empty name is ignored";
    font.SetStyle({fsBold});
    EXPECT_EQ(changes, 2);
    TFont copy;
    copy.Assign(&font);
    EXPECT_TRUE(copy.SameAs(font));
    TOwnedPtr<TComponent> notAFont(CreateComponent<TComponent>(nullptr));
    try {
        copy.Assign(notAFont.get());
        FAIL() << "a component was assigned to a font";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TComponent to a TFont");
    }
}
