#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/Variant.h"

TEST(Variant, ConvertsBetweenKindsAsTheRunTimeDoes) {
    EXPECT_EQ(Variant(42).AsString(), "42");
    EXPECT_EQ(Variant(1.5).AsString(), "1.5");
    EXPECT_EQ(Variant("12").AsInteger(), 12);
    EXPECT_DOUBLE_EQ(Variant("1234.5").AsDouble(), 1234.5);
    EXPECT_EQ(Variant::Null().AsString(), "");
    EXPECT_TRUE(Variant("true").AsBool());
    EXPECT_THROW(Variant("abc").AsDouble(), EVariantError);
    EXPECT_THROW(Variant(VarArrayOf({1})).AsString(), EVariantError);
    EXPECT_EQ(Variant::Date(46082.5).AsString(), "2026/03/01 12:00:00");
    // Numbers round half away from zero; one no integer holds is an overflow, never a wrong number.
    EXPECT_EQ(Variant(2.5).AsInt64(), 3);
    EXPECT_EQ(Variant(-2.5).AsInt64(), -3);
    EXPECT_EQ(Variant("1e15").AsInt64(), 1000000000000000LL);
    EXPECT_THROW(Variant(1e30).AsInt64(), EVariantError);
    EXPECT_THROW(Variant("-1e30").AsInt64(), EVariantError);
    EXPECT_THROW(Variant(std::nan("")).AsInt64(), EVariantError);
}

TEST(Variant, ComparesNumbersAndStringsLikeVariants) {
    EXPECT_EQ(Variant(8000), Variant(8000.0));
    EXPECT_EQ(Variant("8000"), Variant(8000));
    EXPECT_NE(Variant(), Variant::Null());
    EXPECT_EQ(Variant(), Variant());
    EXPECT_LT(VarCompare(Variant(7999), Variant(8000)), 0);
    EXPECT_GT(VarCompare(Variant("b"), Variant("a")), 0);
    EXPECT_LT(VarCompare(Variant::Null(), Variant(0)), 0);
}

TEST(Variant, ArraysHaveBoundsAndValueSemantics) {
    Variant a = VarArrayCreate(1, 3);
    a[1] = "x";
    a[3] = VarArrayOf({1, 2});
    EXPECT_EQ(a.Low(), 1);
    EXPECT_EQ(a.High(), 3);
    EXPECT_TRUE(a[2].IsEmpty());
    EXPECT_EQ(a[3][1], Variant(2));
    Variant b = a;
    b[1] = "changed";
    EXPECT_EQ(a[1].AsString(), "x");
    EXPECT_THROW(a[4], EVariantError);

    Variant grid = VarArrayCreate(0, 1, 0, 2);
    grid.At(0, 2) = "SYS001";
    grid.At(1, 2) = "1";
    EXPECT_EQ(grid.DimCount(), 2);
    EXPECT_EQ(grid.High(2), 2);
    EXPECT_EQ(grid.At(1, 2).AsString(), "1");
    a.Redim(4);
    EXPECT_EQ(a.High(), 4);
    EXPECT_EQ(a[1].AsString(), "x");
}

TEST(Variant, AVariantTakesAnElementOfTheArrayItHolds) {
    // The array goes when the variant takes its element: nothing of it may be touched afterwards
    // (a freed element written to corrupts the heap, which the allocations below would trip on).
    const std::string text(40, 'a');
    for (int round = 0; round < 100; ++round) {
        Variant moved = VarArrayOf({text, round});
        moved = std::move(moved[0]);
        EXPECT_EQ(moved.AsString(), text);
        Variant copied = VarArrayOf({VarArrayOf({round}), text});
        copied = copied[0];
        EXPECT_EQ(copied[0].AsInteger(), round);
        std::vector<Variant> sameSize(2);
        EXPECT_TRUE(sameSize[1].IsEmpty());
    }
}

TEST(Variant, TextsOfEveryLengthKeepTheirValueThroughCopiesMovesAndReplacement) {
    // Lengths on both sides of what a variant holds in itself, and text spanning UTF-8 characters.
    std::vector<std::string> texts{"", "a", "字段说明", "20240102083000000"};
    for (std::size_t n : {23u, 24u, 25u, 26u, 40u, 1000u}) texts.push_back(std::string(n, static_cast<char>('a' + n % 26)));
    for (const std::string& text : texts) {
        Variant v(text);
        Variant copy = v;
        Variant moved(std::move(copy));
        EXPECT_EQ(moved.AsString(), text);
        EXPECT_EQ(v.AsString(), text);
        EXPECT_TRUE(copy.IsEmpty());
        v.SetText("x");  // the copy is a copy: changing one leaves the other
        EXPECT_EQ(moved.AsString(), text);
        for (const std::string& other : texts) {
            Variant target(other);
            target = moved;
            EXPECT_EQ(target, moved);
            target.SetText(other);
            EXPECT_EQ(target.AsString(), other);
            target.SetText(text);
            EXPECT_EQ(target.StringRef(), text);
        }
        // A variant given part of its own text, and a copy assigned to itself.
        Variant own(text);
        own.SetText(own.StringRef().substr(text.size() / 2));
        EXPECT_EQ(own.AsString(), text.substr(text.size() / 2));
        Variant& same = own;
        own = same;
        EXPECT_EQ(own.AsString(), text.substr(text.size() / 2));
        // A text replacing an array, and an array replacing a text.
        Variant array = VarArrayOf({text, 1});
        array = array[0];
        EXPECT_EQ(array.AsString(), text);
        array = VarArrayOf({text});
        EXPECT_EQ(array[0].AsString(), text);
    }
    EXPECT_EQ(Variant(std::string("12")).AsInteger(), 12);
    EXPECT_EQ(Variant(std::string(30, '1')).AsDouble(), 111111111111111111111111111111.0);
    EXPECT_TRUE(Variant(std::string("True")).AsBool());
    EXPECT_EQ(Variant(std::string("abc")).AsBytes(), (Bytes{'a', 'b', 'c'}));
}

TEST(Variant, ByReferenceArgumentsWriteThrough) {
    Variant out;
    Variant ref = Variant::Ref(&out);
    ref.Assign(VarArrayOf({"a", "b"}));
    EXPECT_TRUE(out.IsArray());
    EXPECT_EQ(ref.Type(), VarType::Array);
    EXPECT_EQ(ref[1].AsString(), "b");
}

TEST(Variant, TextsAndArrayItemsAreHandedOverWithoutCopies) {
    const std::string longText(40, 'x');  // beyond any small-string buffer
    Variant text(longText);
    const std::string_view ref = text.StringRef();
    EXPECT_EQ(ref.data(), text.StringRef().data());
    EXPECT_EQ(ref, longText);
    Variant byRef = Variant::Ref(&text);
    EXPECT_EQ(byRef.StringRef().data(), ref.data());
    EXPECT_THROW(Variant(12).StringRef(), EVariantError);
    EXPECT_THROW(Variant::Null().StringRef(), EVariantError);

    // A move hands the text over and leaves the source unassigned.
    const char* chars = ref.data();
    Variant moved(std::move(text));
    EXPECT_EQ(moved.StringRef().data(), chars);
    EXPECT_TRUE(text.IsEmpty());
    Variant target = VarArrayOf({1, 2});
    target = std::move(moved);
    EXPECT_EQ(target.StringRef().data(), chars);
    EXPECT_TRUE(moved.IsEmpty());
    target = Variant(5);
    EXPECT_EQ(target.AsString(), "5");
    // A text set in place replaces any kind, and reuses the room of the text held before.
    target = VarArrayOf({1});
    target.SetText(longText);
    EXPECT_EQ(target.StringRef(), longText);
    EXPECT_EQ(target.DimCount(), 0);
    const char* room = target.StringRef().data();
    target.SetText("shorter");
    EXPECT_EQ(target.StringRef().data(), room);
    EXPECT_EQ(target, Variant("shorter"));

    std::vector<Variant> items{Variant(longText), Variant(1), Variant::Null()};
    const Variant* first = items.data();
    Variant array = Variant::ArrayOf(std::move(items));
    EXPECT_EQ(array.Low(), 0);
    EXPECT_EQ(array.High(), 2);
    EXPECT_EQ(&array[0], first);
    EXPECT_TRUE(array[2].IsNull());
    EXPECT_EQ(Variant::ArrayOf({}).Count(), 0);

    // Taking the items of a shared array copies them: the other holder keeps its values.
    Variant shared = array;
    std::vector<Variant> copied = shared.TakeItems();
    EXPECT_TRUE(shared.IsEmpty());
    ASSERT_EQ(copied.size(), 3u);
    EXPECT_NE(&copied[0], first);
    EXPECT_EQ(array[0].AsString(), longText);
    std::vector<Variant> taken = array.TakeItems();
    EXPECT_EQ(taken.data(), first);
    EXPECT_TRUE(array.IsEmpty());
    Variant numbered = VarArrayCreate(5, 6);
    numbered[6] = "last";
    EXPECT_EQ(numbered.TakeItems().back().AsString(), "last");
    EXPECT_THROW(VarArrayCreate(0, 1, 0, 1).TakeItems(), EVariantError);
    EXPECT_THROW(Variant::MakeArray({{0, 1}, {0, 1}, {0, 1}}), EVariantError);
    EXPECT_THROW(Variant("a").TakeItems(), EVariantError);
}

namespace {
class Counter : public TDispatchObject {
public:
    Counter() {
        DefineProperty(
            "Value", [this] { return Variant(value_); }, [this](const Variant& v) { value_ = v.AsInteger(); });
        DefineMethod("AddTo", [this](VarArgs& args) {
            value_ += args.at(0).AsInteger();
            args.at(1).Assign(Variant(value_));
            return Variant(true);
        });
    }
    int value_ = 0;
};
}  // namespace

TEST(Dispatch, InvokesMembersByNameIgnoringCase) {
    Variant obj(DispatchPtr(std::make_shared<Counter>()));
    OlePut(obj, "VALUE", 5);
    Variant out;
    VarArgs args{3, Variant::Ref(&out)};
    EXPECT_TRUE(OleCall(obj, "addto", args).AsBool());
    EXPECT_EQ(out.AsInteger(), 8);
    EXPECT_EQ(OleGet(obj, "Value").AsInteger(), 8);
    EXPECT_THROW(OleCall(obj, "Missing"), EOleError);
    EXPECT_THROW(OleCall(Variant(), "Value"), EOleError);
}

TEST(Dispatch, ServedMembersReadMissingArgumentsAndElementsAsUnassigned) {
    Variant written = 7;
    VarArgs args{Variant("a"), Variant::Ref(&written)};
    EXPECT_EQ(ArgAt(args, 0), Variant("a"));
    EXPECT_EQ(ArgAt(args, 1), Variant(7)) << "by-reference arguments are read through";
    EXPECT_TRUE(ArgAt(args, 2).IsEmpty());

    Variant array = VarArrayCreate(1, 3);
    array[1] = "x";
    array[3] = 9;
    EXPECT_EQ(ElementAt(array, 0), Variant("x")) << "counted from the low bound";
    EXPECT_EQ(ElementAt(array, 2), Variant(9));
    EXPECT_TRUE(ElementAt(array, 3).IsEmpty());
    EXPECT_TRUE(ElementAt(array, -1).IsEmpty());
    EXPECT_TRUE(ElementAt(Variant("not an array"), 0).IsEmpty());
    Variant held = array;
    EXPECT_EQ(ElementAt(Variant::Ref(&held), 2), Variant(9)) << "an array passed by reference";
}
