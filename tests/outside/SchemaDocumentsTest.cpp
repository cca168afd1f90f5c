#include <gtest/gtest.h>

#include <set>

#include "data/Embedded.h"
#include "outside/appserver/CompanyDatabase.h"
#include "outside/appserver/SchemaDocuments.h"
#include "tests/outside/CompanyFixture.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/SysUtils.h"

TEST(SchemaDocuments, ReadTablesColumnsNamesTypesLengthsAndEntitiesFromTheSchemaText) {
    const std::vector<SchemaTable> tables = SchemaTables(R"(
-- Orders.
CREATE TABLE COPTC (          -- 3 COP 订单单头档 | 客户订单
    TC001       varchar(4)   NOT NULL,       -- 单别
    TC002       char(11)     NOT NULL,       -- 单号 | 年月加流水号
    TC003       varchar(10),                 -- 客户编号 @COPMA | 下单的客户
    TC004       numeric(16,4),               -- 金额
    TC005       numeric,
    TC006       text,                        -- 这是一个非常非常长的字段名称会被截断
    TC007       integer,
    TC008       varchar(3),
    CREATOR     varchar(10),
    FLAG        numeric DEFAULT 0,
    UDF51       numeric,
    CONSTRAINT PK_COPTC PRIMARY KEY (TC001, TC002),
    CONSTRAINT FK_COPTC_CMSMA FOREIGN KEY (TC008) REFERENCES CMSMA (MA001)
        ON UPDATE CASCADE ON DELETE CASCADE DEFERRABLE INITIALLY DEFERRED
);
CREATE TABLE PLAIN (
    P001 varchar(1)
);
)");
    ASSERT_EQ(tables.size(), 2u);
    const SchemaTable& t = tables[0];
    EXPECT_EQ(t.code, "COPTC");
    EXPECT_EQ(t.type, "3");
    EXPECT_EQ(t.system, "COP");
    EXPECT_EQ(t.fileName, "订单单头档");
    EXPECT_EQ(t.remark, "客户订单");
    ASSERT_EQ(t.fields.size(), 11u) << "the constraint lines are no fields";
    auto field = [&](std::size_t i) { return t.fields.at(i); };
    EXPECT_EQ(field(0).code, "TC001");
    EXPECT_EQ(field(0).name, "单别");
    EXPECT_EQ(field(0).type, "V");
    EXPECT_EQ(field(0).length, 4);
    EXPECT_EQ(field(1).type, "C");
    EXPECT_EQ(field(1).length, 11);
    EXPECT_EQ(field(1).description, "年月加流水号");
    EXPECT_EQ(field(2).name, "客户编号");
    EXPECT_EQ(field(2).entity, "COPMA");
    EXPECT_EQ(field(2).description, "下单的客户");
    EXPECT_EQ(field(3).type, "N");
    EXPECT_DOUBLE_EQ(field(3).length, 16.4);
    EXPECT_EQ(field(4).name, "TC005") << "a column without a comment is named by its code";
    EXPECT_GT(field(4).length, 0);
    EXPECT_EQ(field(5).type, "T");
    EXPECT_EQ(field(5).name, "这是一个非常非常长的") << "cut to the 20 bytes of the field name";
    EXPECT_EQ(field(6).type, "Z");
    EXPECT_EQ(field(7).entity, "CMSMA") << "the foreign key names the entity";
    EXPECT_EQ(field(8).name, "创建者");
    EXPECT_EQ(field(9).name, "标识");
    EXPECT_EQ(field(10).name, "自定义项51");
    EXPECT_EQ(tables[1].fileName, "PLAIN");
    EXPECT_EQ(tables[1].type, "7");

    const std::string sql = DocumentInserts(tables);
    EXPECT_NE(sql.find("('COPTC', '0011', 'UDF51', '自定义项51', 'N', 16.4, '', ''"), std::string::npos) << sql;
    EXPECT_NE(sql.find("('PLAIN', 'PLAIN', '7', '', NULL,"), std::string::npos) << sql;
}

class DemoCompanyDocuments : public OnEveryBackend<CompanyFixture> {};
TDEF_ON_EVERY_BACKEND(DemoCompanyDocuments);

TEST_P(DemoCompanyDocuments, DocumentEveryTableOfTheCompanyDatabaseWithItsColumns) {
    CompanyDatabase db(dbPath_);
    const std::vector<SchemaTable> tables = SchemaTables(kSchemaSql);
    ASSERT_GE(tables.size(), 25u);
    std::set<std::string> documented;
    for (const SqlRow& row : db.Query("SELECT MC001, MC002, MC003, MC004 FROM ADMMC").rows) {
        documented.insert(row[0].AsString());
        EXPECT_LE(CodePageByteLength(row[1].AsString(), 936), 24u);
        EXPECT_EQ(db.Query("SELECT COUNT(*) FROM ADMMA WHERE MA001 = ?", {row[3]}).rows[0][0].AsInteger(), 1)
            << row[0].AsString() << " belongs to a known system";
    }
    for (const SchemaTable& table : tables) {
        ASSERT_TRUE(documented.count(table.code)) << table.code;
        const std::vector<SqlColumnInfo>& columns = db.Columns(table.code);
        SqlResult lines =
            db.Query("SELECT MD002, MD003, MD004, MD005, MD006 FROM ADMMD WHERE MD001 = ? ORDER BY MD002", {table.code});
        ASSERT_EQ(lines.rows.size(), columns.size()) << table.code << ": one line per column of the real table";
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const SqlRow& line = lines.rows[i];
            char seq[24];
            std::snprintf(seq, sizeof seq, "%04zu", i + 1);
            EXPECT_EQ(line[0].AsString(), seq);
            EXPECT_TRUE(SameText(line[1].AsString(), columns[i].name)) << table.code << " " << line[1].AsString();
            EXPECT_LE(CodePageByteLength(line[2].AsString(), 936), 20u);
            EXPECT_GT(line[4].AsDouble(), 0) << "every length is positive, as the program demands";
        }
    }
    // The documents' own tables, as the program shows them.
    SqlResult md = db.Query("SELECT MD004, MD005, MD006, MD008 FROM ADMMD WHERE MD001 = 'ADMMC' AND MD003 = 'MC004'");
    ASSERT_EQ(md.rows.size(), 1u);
    EXPECT_EQ(md.rows[0][0].AsString(), "系统编号");
    EXPECT_EQ(md.rows[0][1].AsString(), "V");
    EXPECT_EQ(md.rows[0][2].AsInteger(), 3);
    EXPECT_EQ(md.rows[0][3].AsString(), "ADMMA");
    EXPECT_EQ(db.Query("SELECT MC002 FROM ADMMC WHERE MC001 = 'ADMMD'").rows[0][0].AsString(), "文档信息单身档");
}

TEST_P(DemoCompanyDocuments, TheLookupsOfTheProgramAnswerFromTheCompany) {
    Variant server = ConnectedServer();
    Variant values;
    // The system code check and the F2 list of systems (ADMMA, kind "01").
    ASSERT_TRUE(OleCall(server, "CheckValue", {"ADMMA", "01", "DEMO", VarArrayOf({"CMS"}), Variant::Ref(&values)}).AsBool());
    EXPECT_EQ(VarToStr(values[0]), "基本信息管理");
    Variant list = OleCall(server, "GetLookupList", {"ADMMA", "01", "DEMO", VarArrayOf({}), ""});
    ASSERT_TRUE(list.IsArray());
    EXPECT_EQ(VarToStr(list[0]), "系统信息查询");
    // The common phrases: the user's own first, then everyone's.
    Variant rows;
    ASSERT_TRUE(OleCall(server, "QueryData", {"ADMPH", "01", "DEMO", VarArrayOf({"DS"}), Variant::Ref(&rows)}).AsBool());
    ASSERT_GE(rows.High() - rows.Low() + 1, 3);
    EXPECT_EQ(VarToStr(rows[rows.Low()][0]), "待确认");
    EXPECT_EQ(VarToStr(rows[rows.Low() + 2][0]), "同上");
    ASSERT_TRUE(OleCall(server, "QueryData", {"ADMPH", "01", "DEMO", VarArrayOf({"CLERK"}), Variant::Ref(&rows)}).AsBool());
    EXPECT_EQ(VarToStr(rows[rows.Low()][0]), "同上");
}
