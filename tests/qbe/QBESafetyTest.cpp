// No value typed into the query window changes the statement around it: quotes, comment and statement
// marks, brackets and wildcards typed into every value box reach the server as one literal of one
// SELECT, which finds exactly the document holding that text.
#include <gtest/gtest.h>

#include "dialogs/RkQBE.h"
#include "outside/appserver/SqlTokens.h"
#include "tests/double/Tdef05Fixture.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/PageControl.h"

namespace {

const std::string kHostile = "x' OR '1'='1'; DELETE FROM ADMMD; -- /* [a] 50%_";

class QBESafety : public Tdef05Fixture {
protected:
    void SetUp() override {
        Tdef05Fixture::SetUp();
        RegisterQueryDialog();
        install.ExecuteSql("UPDATE ADMMC SET MC005 = ? WHERE MC001 = 'CMSMF'", {kHostile});
        install.ExecuteSql("UPDATE ADMMD SET MD007 = ? WHERE MD001 = 'ADMMA' AND MD002 = '0001'", {kHostile});
    }

    // The condition the window last ran: no statement separator and no comment outside its literals,
    // and the literals that hold the value.
    std::vector<std::string> Literals(const std::string& condition) {
        std::vector<std::string> literals;
        for (const Token& token : Tokenize(condition)) {
            EXPECT_FALSE(token.kind == Tok::Punct && token.text == ";") << condition;
            EXPECT_NE(token.kind, Tok::Comment) << condition;
            if (token.kind == Tok::String) literals.push_back(token.text);
        }
        return literals;
    }

    std::vector<std::string> Codes() {
        std::vector<std::string> codes;
        for (Main().First(); !Main().Eof(); Main().Next()) codes.push_back(Main().FieldByName("MC001")->AsString());
        return codes;
    }

    bool Query(const std::function<void(TQBEForm&)>& fill) {
        app.ModalLoop().WhenNext("TQBEForm", [&](TCustomForm& window) { fill(dynamic_cast<TQBEForm&>(window)); });
        return form->DoQuery();
    }
};

TEST_F(QBESafety, EveryValueBoxKeepsTheValueInsideOneLiteral) {
    Open();
    const int lines = std::stoi(Sql("SELECT COUNT(*) FROM ADMMD"));
    // The grid page.
    ASSERT_TRUE(Query([&](TQBEForm& q) {
        q.sg1->SetFocus();
        q.sg1->FocusCell(0, 1);
        Type("备注");
        Key(VK_TAB);
        Key(VK_TAB);
        Type(kHostile);
        Key(VK_RETURN);
        q.BBOK->Click();
    }));
    EXPECT_EQ(Literals(form->LastCondition), std::vector<std::string>{"'x'' OR ''1''=''1''; DELETE FROM ADMMD; -- /* [a] 50%_'"});
    EXPECT_EQ(Codes(), std::vector<std::string>{"CMSMF"});

    // The advanced page: "contains" escapes the wildcards of the value.
    ASSERT_TRUE(Query([&](TQBEForm& q) {
        q.ExtPageControl1->ChangeActivePageByUser(q.TabSheet2);
        q.cboField->SelectByUser(q.FieldNames.IndexOf("MC005"));
        q.CbOperator->SetItemIndex(8);
        Enter(q.cboValue, kHostile);
        q.BbAssign->Click();
        q.BBOK->Click();
    }));
    EXPECT_EQ(Literals(form->LastCondition),
              (std::vector<std::string>{"'%x'' OR ''1''=''1''; DELETE FROM ADMMD; -- /* \\[a] 50\\%\\_%'", "'\\'"}));
    EXPECT_EQ(Codes(), std::vector<std::string>{"CMSMF"});

    // The lines page.
    ASSERT_TRUE(Query([&](TQBEForm& q) {
        q.ExtPageControl1->ChangeActivePageByUser(q.TabSheet2);
        q.BBClear->Click();
        q.chkBody->SetChecked(true);
        q.cboField2->SelectByUser(q.DetailFieldNames.IndexOf("MD007"));
        Enter(q.cboValue2, kHostile);
        q.BbAssign2->Click();
        q.BBOK->Click();
    }));
    EXPECT_EQ(Literals(form->LastCondition), std::vector<std::string>{"'x'' OR ''1''=''1''; DELETE FROM ADMMD; -- /* [a] 50%_'"});
    EXPECT_EQ(Codes(), std::vector<std::string>{"ADMMA"});
    EXPECT_EQ(std::stoi(Sql("SELECT COUNT(*) FROM ADMMD")), lines) << "nothing was deleted";
}

}  // namespace
