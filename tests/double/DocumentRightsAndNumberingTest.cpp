// The document test program TDBL01 through the real plug-in objects, datasets and application server:
// the base-data rights of a line's lots (the sub-body) and documents numbered by the server.
#include <algorithm>

#include "tests/double/Tdbl01Fixture.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"

namespace {

int CountContaining(const std::vector<std::string>& texts, const std::string& part) {
    return static_cast<int>(
        std::count_if(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(part) != std::string::npos; }));
}

}  // namespace

using DocumentRightsTest = Tdbl01Fixture;

// Each line's lots travel nested in the line; the walk over the lines stops at the first line with a
// refused lot and names only that line's refused lots.
TEST_F(DocumentRightsTest, TheLotRightsWalkStopsAtTheFirstRefusedLine) {
    Open("CLERK");
    ShowOrder("A");
    ASSERT_EQ(Body().RecordCount(), 3);
    Body().Locate("MB003", "0002", {});
    EXPECT_EQ(Lots().RecordCount(), 2);
    Body().Locate("MB003", "0003", {});
    ASSERT_EQ(Lots().RecordCount(), 1);
    EXPECT_EQ(Lots().FieldByName("MC005")->AsString(), "W3");

    Key(VK_F7);
    EXPECT_EQ(form->EditMode, emBrowse);
    EXPECT_EQ(Main().State(), dsBrowse);
    const std::vector<std::string> shown = DialogTexts();
    const std::string refusedLine = Message("E", "200575", {"\r\n\r\nA   -202401020001-0002-0001"});
    EXPECT_EQ(CountContaining(shown, refusedLine), 1) << (shown.empty() ? "" : shown.back());
    // Line 0003's lot is refused too, but the walk never reached it.
    EXPECT_EQ(CountContaining(shown, "0003-0001"), 0);
    EXPECT_EQ(CountContaining(shown, Message("E", "200574")), 0);
    EXPECT_EQ(Body().FieldByName("MB003")->AsString(), "0003");  // the line shown before stays shown

    // Every lot of the first line refused: "all" of that line.
    ShowOrder("B");
    const std::size_t before = DialogTexts().size();
    Key(VK_F7);
    EXPECT_EQ(form->EditMode, emBrowse);
    ASSERT_GT(DialogTexts().size(), before);
    EXPECT_EQ(DialogTexts().back(), Message("E", "200574"));
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM TDBMC"), "5");
}

TEST_F(DocumentRightsTest, AUserWithoutRulesEditsEveryDocument) {
    Open("DS");
    ShowOrder("A");
    Key(VK_F7);
    EXPECT_EQ(form->EditMode, emEdit);
    EXPECT_TRUE(DialogTexts().empty()) << DialogTexts().front();
}

using DocumentNumberingTest = Tdbl01Fixture;

// Another session takes the number the window showed: the server stores the document under the next
// free number, the window says so and shows that document, lines included.
TEST_F(DocumentNumberingTest, TheNumberTheServerAssignedIsShownAndTheWindowShowsThatDocument) {
    Open("DS");
    form->IsKeepOnAdd = false;  // a save returns to the document saved
    const std::string today = FormatDateTime("yyyymmdd", Now());
    Key(VK_F5);
    ASSERT_EQ(form->EditMode, emInsert);
    Type("A");
    Key(VK_TAB);
    const std::string shownNumber = Main().FieldByName("MA002")->AsString();
    ASSERT_EQ(shownNumber, today + "0001");
    install.ExecuteSql("INSERT INTO TDBMA (MA001, MA002, MA003, FLAG) VALUES ('A', '" + shownNumber + "', '别人的', 1)");
    Type("丙公司");
    Key(VK_RETURN);  // into the lines: the first one is there
    ASSERT_EQ(Body().State(), dsInsert);
    Body().FieldByName("MB004")->SetAsString("螺栓");
    Key(VK_F12);

    const std::string assigned = today + "0002";
    const std::string label = Main().FieldByName("MA002")->DisplayLabel();
    EXPECT_EQ(CountContaining(DialogTexts(), Message("I", "000006", {label, assigned})), 1)
        << (DialogTexts().empty() ? "" : DialogTexts().back());
    EXPECT_EQ(form->EditMode, emBrowse);
    EXPECT_EQ(Main().FieldByName("MA002")->AsString(), assigned);
    EXPECT_EQ(Main().FieldByName("MA003")->AsString(), "丙公司");
    ASSERT_EQ(Body().RecordCount(), 1);
    EXPECT_EQ(Body().FieldByName("MB002")->AsString(), assigned);
    EXPECT_EQ(Sql("SELECT MA003 FROM TDBMA WHERE MA001 = 'A' AND MA002 = '" + assigned + "'"), "丙公司");
    EXPECT_EQ(Sql("SELECT MA003 FROM TDBMA WHERE MA001 = 'A' AND MA002 = '" + shownNumber + "'"), "别人的");
    EXPECT_EQ(Sql("SELECT MB003 || MB004 FROM TDBMB WHERE MB001 = 'A' AND MB002 = '" + assigned + "'"), "0001螺栓");
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM TDBMB WHERE MB002 = '" + shownNumber + "'"), "0");

    // A number nobody took is kept, and nothing is said.
    const std::size_t before = DialogTexts().size();
    Key(VK_F5);
    Type("B");
    Key(VK_TAB);
    const std::string next = Main().FieldByName("MA002")->AsString();
    EXPECT_EQ(next, today + "0001");
    Type("丁公司");
    Key(VK_F12);
    EXPECT_EQ(DialogTexts().size(), before);
    EXPECT_EQ(form->EditMode, emBrowse);
    EXPECT_EQ(Sql("SELECT MA003 FROM TDBMA WHERE MA001 = 'B' AND MA002 = '" + next + "'"), "丁公司");
}
