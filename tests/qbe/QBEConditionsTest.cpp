// The texts the query dialog builds, character for character: the blanks are part of what the
// server receives and of what saved schemes hold.
#include <gtest/gtest.h>

#include <memory>

#include "dialogs/QBEConditions.h"

namespace {

class QBEConditions : public ::testing::Test {
protected:
    void SetUp() override {
        operators.SetText(kQBEOperatorLines);
        Add("MC001", "代码", "T.MC001", ftString);
        Add("MC002", "名称", "T.MC002", ftString);
        Add("F", "数量", "T.F", ftFloat);
        TRecordInfo* kind = Add("KIND", "种类", "T.KIND", ftString);
        kind->PickList.Add("甲\tA");
        kind->PickList.Add("丙\tC");
        TRecordInfo* day = Add("DAY", "日期", "T.DAY", ftString);
        day->EditMask = dates.DateMask = "9999/99/99;1; ";
        TRecordInfo* month = Add("YM", "年月", "T.YM", ftString);
        month->EditMask = dates.YearMonthMask = "9999/99;1; ";
        dates.YearMonth = [](const std::string& text) { return text.substr(0, 4) + "0" + text.substr(5, 1); };
    }

    TRecordInfo* Add(const std::string& name, const std::string& caption, const std::string& sqlName, TFieldType type) {
        auto info = std::make_unique<TRecordInfo>();
        info->Caption = caption;
        info->SqlName = sqlName;
        info->DataType = type;
        return fields.AddInfo(name, std::move(info));
    }

    std::string Row(const std::string& field, const std::string& op, const std::string& value, const std::string& logic = "AND") {
        return QBERowCondition({field, op, value, logic}, fields, operators, dates);
    }

    TStringList operators;
    TRecordInfoList fields;
    TQBEDateRules dates;
};

TEST_F(QBEConditions, GridRowsAreBracketedAndJoinedByTheirLogicWords) {
    EXPECT_EQ(QBEGridCondition({Row("代码", "等于", "A")}), " (T.MC001 = 'A' ) ");
    EXPECT_EQ(QBEGridCondition({Row("代码", "等于", "x", "OR"), Row("名称", "等于", "y")}),
              " (T.MC001 = 'x')  OR (T.MC002 = 'y' ) ");
    // Rows without a test drop out; none at all is no condition.
    EXPECT_EQ(QBEGridCondition({Row("代码", "等于", "  "), Row("名称", "不等于", "y")}), " (T.MC002 <> 'y' ) ");
    EXPECT_EQ(QBEGridCondition({Row("", "等于", "A"), Row("代码", "", "A")}), "");
    // A caption is found whatever its case; an unknown field states nothing.
    EXPECT_EQ(Row("没有", "等于", "A"), "");
    EXPECT_EQ(Row("代码", "大于或等于", "A"), "T.MC001 >= 'A' AND");
}

TEST_F(QBEConditions, TextValuesAreQuotedAndPatternsBuiltPerOperator) {
    EXPECT_EQ(Row("名称", "等于", "O'Neil"), "T.MC002 = 'O''Neil' AND");
    EXPECT_EQ(Row("名称", "起始于", "ab"), "T.MC002 like 'ab%' AND");
    EXPECT_EQ(Row("名称", "终止于", "ab"), "T.MC002 like '%ab' AND");
    EXPECT_EQ(Row("名称", "包含", "ab", "OR"), "T.MC002 like '%ab%' OR");
    // A pick-list text is written as its code.
    EXPECT_EQ(Row("种类", "等于", "甲"), "T.KIND = 'A' AND");
    EXPECT_EQ(Row("种类", "等于", "乙"), "T.KIND = '乙' AND");
}

TEST_F(QBEConditions, NumbersAreWrittenAsNumbersAndListsItemByItem) {
    EXPECT_EQ(Row("数量", "存在于", "1, 2,3"), "T.F IN (1,2,3) AND");
    EXPECT_EQ(Row("种类", "存在于", "甲,乙"), "T.KIND IN ('A','乙') AND");
    EXPECT_EQ(Row("数量", "起始于", "12"), "T.F like '12%' AND");
    EXPECT_EQ(Row("数量", "大于", "012.50"), "T.F > 12.5 AND");
    // A number that does not read as one states nothing.
    EXPECT_EQ(Row("数量", "等于", "12abc"), "");
    EXPECT_EQ(Row("数量", "等于", "1e400"), "");
    // Blank list items are skipped; a list of nothing states nothing.
    EXPECT_EQ(Row("数量", "存在于", "4,,5"), "T.F IN (4,5) AND");
    EXPECT_EQ(Row("数量", "存在于", " , "), "");
}

TEST_F(QBEConditions, DatesAreConvertedByTheDateOrder) {
    EXPECT_EQ(ConvertDate("2024/3/5", 1, "/"), "20240305");
    EXPECT_EQ(ConvertDate("113/3/5", 4, "/"), "20240305");
    EXPECT_EQ(ConvertDate(" 3 / 5 /2024 ", 2, "/"), "20240305");
    EXPECT_EQ(ConvertDate("5-3-2024", 3, "-"), "20240305");
    EXPECT_EQ(ConvertDate("113/3/5", 5, "/"), "20240305");
    EXPECT_EQ(ConvertDate("2024/3", 1, "/"), "");
    EXPECT_EQ(ConvertDate("2024/x/5", 1, "/"), "");
    EXPECT_EQ(ConvertDate("2024/3/5", 6, "/"), "");
    EXPECT_EQ(ConvertDate("2024/3/5", 1, ""), "");
    dates.DateOrder = 1;
    EXPECT_EQ(Row("日期", "等于", "2024/3/5"), "T.DAY = '20240305' AND");
    EXPECT_EQ(Row("日期", "等于", "2024/ /5"), "") << "a date that does not convert states nothing";
    EXPECT_EQ(Row("年月", "大于", "2024/3"), "T.YM > '202403' AND");

    EXPECT_TRUE(IsValidYearMonth("202412"));
    EXPECT_FALSE(IsValidYearMonth("202413"));
    EXPECT_FALSE(IsValidYearMonth("202400"));
    EXPECT_FALSE(IsValidYearMonth("20241"));
}

TEST_F(QBEConditions, AdvancedPageLinesFollowTheFieldType) {
    TQBEAdvancedInput input;
    input.Table = "T";
    input.FieldName = input.Token = "CREATE_DATE";
    input.Value = "20240305";
    EXPECT_EQ(QBEAdvancedCondition(input), "(SUBSTRING(T.CREATE_DATE ,1,8 ) = '20240305')");
    input.DatabaseKind = 1;
    EXPECT_EQ(QBEAdvancedCondition(input), "(T.CREATE_DATE = '20240305')");

    input = {};
    input.Table = "T";
    input.FieldName = input.Token = "MD006";
    input.DataType = ftFloat;
    input.Value = "10";
    input.OperatorIndex = 3;
    EXPECT_EQ(QBEAdvancedCondition(input), "(T.MD006 > 10)");
    input.OperatorIndex = 6;
    EXPECT_EQ(QBEAdvancedCondition(input), "(T.MD006 like '10%')");
    input.OperatorIndex = 8;
    input.DataType = ftString;
    input.Value = "O'N";
    EXPECT_EQ(QBEAdvancedCondition(input), "(T.MD006 like '%O''N%')");
    input.OperatorIndex = 7;
    EXPECT_EQ(QBEAdvancedCondition(input), "(T.MD006 like '%O''N')");

    // A column of the field-expression list is written as its expression, unqualified.
    input = {};
    input.Table = "ADMMC";
    input.FieldName = "MC004C";
    input.Token = "ADMMA.MA002";
    input.FieldExprs = "ADMMA.MA002 MC004C";
    input.Value = "系统";
    EXPECT_EQ(QBEAdvancedCondition(input), "(ADMMA.MA002 = '系统')");
    input.Table = " ";
    input.Token = input.FieldName;
    input.FieldExprs.clear();
    EXPECT_EQ(QBEAdvancedCondition(input), "( MC004C = '系统')") << "no dot after a blank table name";

    EXPECT_EQ(QBEAdvancedLine("(A = 1)", true, "OR"), "(A = 1)");
    EXPECT_EQ(QBEAdvancedLine("(A = 1)", false, "OR"), "  OR (A = 1)");
    EXPECT_EQ(QBEAdvancedLine("(A = 1)", false, "AND"), "  AND (A = 1)");

    EXPECT_EQ(IsWordInList("MC004C", "ADMMA.MA002 MC004C"), 13);
    EXPECT_EQ(IsWordInList("MA002", "ADMMA.MA002 MC004C"), 0) << "after a dot it is part of a word";
    EXPECT_EQ(IsWordInList("A", "A,B"), 1);
    EXPECT_EQ(IsWordInList("B", "A,\r\nB"), 5);
    EXPECT_EQ(IsWordInList("B", "AB, B"), 0) << "only the first occurrence counts";
}

TEST_F(QBEConditions, DetailFilterCountsMatchingDetailRows) {
    TQBEDetailSource source{"ADMMC", "MC001", "ADMMD", "MD001,MD002", "DEMO..", ""};
    EXPECT_EQ(QBEDetailCondition("(ADMMC.MC003 = '1')", "(ADMMD.MD005 = 'N')", source),
              "((ADMMC.MC003 = '1')) and  ( select count(*) FROM DEMO..ADMMD ADMMD where  (ADMMC.MC001=ADMMD.MD001) "
              "and  ( (ADMMD.MD005 = 'N') ) ) > 0 ");
    EXPECT_EQ(QBEDetailCondition("", "(ADMMD.MD005 = 'N')", source),
              " ( select count(*) FROM DEMO..ADMMD ADMMD where  (ADMMC.MC001=ADMMD.MD001) and  ( (ADMMD.MD005 = 'N') ) ) > 0 ");
    EXPECT_EQ(QBEDetailCondition("(ADMMC.MC003 = '1')", "  ", source), "(ADMMC.MC003 = '1')");
    EXPECT_EQ(QBEDetailCondition("", "", source), "");
    source.Suffix = " (nolock)";
    source.DatabasePrefix.clear();
    EXPECT_NE(QBEDetailCondition("", "(X = 1)", source).find("FROM ADMMD ADMMD (nolock) where"), std::string::npos);
}

TEST_F(QBEConditions, SortOrderQualifiesColumnsButNotExpressions) {
    EXPECT_EQ(QBEOrderText({{"F", false}}, "T", ""), "T.F asc");
    EXPECT_EQ(QBEOrderText({{"F1", false}, {"F2", true}}, "T", ""), "T.F1 asc,T.F2 desc");
    EXPECT_EQ(QBEOrderText({{"MC004C", true}}, "ADMMC", "ADMMA.MA002 MC004C"), "MC004C desc");
    EXPECT_EQ(QBEOrderText({{"F", false}}, " ", ""), "F asc");
    EXPECT_EQ(QBEOrderText({}, "T", ""), "");
}

TEST_F(QBEConditions, NoValueLeavesItsLiteral) {
    // Quotes, comment and statement marks, brackets and wildcards stay inside one literal.
    const std::string hostile = "x' OR '1'='1'; DROP TABLE ADMMC; -- /* [a] 5%_\\";
    EXPECT_EQ(Row("名称", "等于", hostile), "T.MC002 = 'x'' OR ''1''=''1''; DROP TABLE ADMMC; -- /* [a] 5%_\\' AND");
    EXPECT_EQ(Row("名称", "包含", "5%_"), "T.MC002 like '%5\\%\\_%' ESCAPE '\\' AND");
    EXPECT_EQ(QBELikeLiteral("", "[a]\\", "%"), "'\\[a]\\\\%' ESCAPE '\\'");
    // Numbers: a list item or an advanced-page value that is no number becomes a quoted literal.
    EXPECT_EQ(Row("数量", "存在于", "1,2) OR (1=1"), "T.F IN (1,'2) OR (1=1') AND");
    TQBEAdvancedInput input;
    input.Table = "T";
    input.FieldName = input.Token = "F";
    input.DataType = ftInteger;
    input.Value = "1 OR 1=1";
    EXPECT_EQ(QBEAdvancedCondition(input), "(T.F = '1 OR 1=1')");
    // Only the operators of the table and the two logic words reach the text.
    EXPECT_EQ(Row("名称", "= 'a' OR 1=1 --", "b"), "");
    EXPECT_EQ(Row("名称", "等于", "b", "; DELETE FROM ADMMC"), "T.MC002 = 'b' AND");
}

}  // namespace
