// Collections of persistent items, and the one-line text editing shared by edits, combo boxes and
// grid editors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/classes/Collection.h"
#include "toolkit/ui/widgets/StatusBar.h"
#include "toolkit/ui/widgets/TextEditing.h"

namespace {
class TSampleItem : public TCollectionItem {
    TK_CLASS_PUBLISHED(TSampleItem, TCollectionItem)
public:
    const std::string& Label() const { return label_; }
    void SetLabel(const std::string& label) {
        label_ = label;
        Changed();
    }
    void Assign(const TPersistent* source) override {
        if (auto* other = dynamic_cast<const TSampleItem*>(source)) {
            SetLabel(other->label_);
            return;
        }
        TCollectionItem::Assign(source);
    }

private:
    std::string label_;
};
void TSampleItem::Publish(TPublisher<TSampleItem>& p) { p.Property("Label", &TSampleItem::Label, &TSampleItem::SetLabel); }

struct TSampleCollection {
    TCollection items{[] { return new TSampleItem; }};
    std::vector<std::string> updates;
    TSampleCollection() {
        items.OnUpdate = [this](TCollectionItem* item) {
            updates.push_back(item ? static_cast<TSampleItem*>(item)->Label() : "*");
        };
    }
    TSampleItem* At(int i) const { return static_cast<TSampleItem*>(items.Items(i)); }
    std::vector<std::string> Labels() const {
        std::vector<std::string> labels;
        for (int i = 0; i < items.Count(); ++i) labels.push_back(At(i)->Label());
        return labels;
    }
};
}  // namespace

TEST(Collection, ItemsAreOwnedOrderedAndReportTheirChanges) {
    TSampleCollection c;
    auto* a = static_cast<TSampleItem*>(c.items.Add());
    a->SetLabel("a");
    static_cast<TSampleItem*>(c.items.Add())->SetLabel("b");
    static_cast<TSampleItem*>(c.items.Insert(0))->SetLabel("first");
    EXPECT_EQ(c.Labels(), (std::vector<std::string>{"first", "a", "b"}));
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(c.updates, (std::vector<std::string>{"*", "a", "*", "b", "*", "first"})) << "added items change the whole";
    int id = a->ID();
    EXPECT_EQ(c.items.FindItemID(id), a);

    a->SetIndex(2);
    EXPECT_EQ(c.Labels(), (std::vector<std::string>{"first", "b", "a"}));
    a->Free();
    EXPECT_EQ(c.Labels(), (std::vector<std::string>{"first", "b"})) << "an item freed alone leaves its collection";
    EXPECT_EQ(c.items.FindItemID(id), nullptr);
    EXPECT_THROW(c.items.Items(2), EListError);

    c.updates.clear();
    c.items.BeginUpdate();
    c.At(0)->SetLabel("x");
    c.At(1)->SetLabel("y");
    c.items.EndUpdate();
    EXPECT_EQ(c.updates, (std::vector<std::string>{"*"})) << "one report for a batch";

    // Assigning copies every item; items are reached by index in property paths.
    TSampleCollection copy;
    copy.items.Assign(&c.items);
    EXPECT_EQ(copy.Labels(), (std::vector<std::string>{"x", "y"}));
    TStatusBar* bar = CreateComponent<TStatusBar>(nullptr);
    bar->Panels()->Add();
    SetPropValue(bar, "Panels_0.Width", 77);
    EXPECT_EQ(bar->Panels()->Items(0)->Width(), 77);
    bar->Free();
    c.items.Clear();
    EXPECT_EQ(c.items.Count(), 0);
}

TEST(TextEditing, SelectionsCountCharactersNotBytes) {
    std::string text = "文档ab";
    TTextSelection sel{1, 2};
    EXPECT_EQ(SelectedText(text, sel), "档a");
    std::string replaced = ReplaceSelection(text, sel, "X");
    EXPECT_EQ(replaced, "文Xb");
    EXPECT_EQ(sel.Start, 2);
    EXPECT_EQ(sel.Length, 0);
    EXPECT_EQ(BackspaceText(replaced, sel), "文b");
    EXPECT_EQ(sel.Start, 1);
    EXPECT_EQ(DeleteText("文b", sel), "文");
    sel = {0, 0};
    EXPECT_EQ(BackspaceText("abc", sel), "abc") << "nothing before the caret";

    sel = {1, 0};
    EXPECT_TRUE(MoveCaret("abcd", sel, VK_RIGHT, {ssShift}));
    EXPECT_TRUE(MoveCaret("abcd", sel, VK_RIGHT, {ssShift}));
    EXPECT_EQ(SelectedText("abcd", sel), "bc");
    EXPECT_TRUE(MoveCaret("abcd", sel, VK_LEFT, {}));
    EXPECT_EQ(sel.Start, 1) << "Left collapses a selection to its start";
    EXPECT_EQ(sel.Length, 0);
    EXPECT_TRUE(MoveCaret("abcd", sel, VK_END, {}));
    EXPECT_EQ(sel.Start, 4);
    EXPECT_FALSE(MoveCaret("abcd", sel, VK_UP, {}));
    sel = {10, 5};
    ClampSelection("ab", sel);
    EXPECT_EQ(sel.Start, 2);
    EXPECT_EQ(sel.Length, 0);
    EXPECT_EQ(CharToUtf8(U'档'), "档");
    EXPECT_EQ(CharToUtf8(U'a'), "a");
    EXPECT_EQ(CharToUtf8(0x1F600), "\xF0\x9F\x98\x80");
}
