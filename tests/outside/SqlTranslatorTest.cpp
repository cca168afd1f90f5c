#include <gtest/gtest.h>

#include "outside/appserver/SqlTranslator.h"

namespace {
std::string T(const std::string& sql) { return SqlTranslator().Translate(sql); }
}  // namespace

TEST(SqlTranslator, ResolvesDatabaseQualifiedNames) {
    EXPECT_EQ(T("SELECT NH003 FROM $$ADMNH WHERE NH001 = 'X'"), "SELECT NH003 FROM ADMNH WHERE NH001 = 'X'");
    EXPECT_EQ(T("select * from $$admtk ADMTK left join $$ADMTL ADMTL on TK001 = TL001"),
              "select * from admtk ADMTK left join ADMTL ADMTL on TK001 = TL001");
    EXPECT_EQ(T("SELECT MA002 FROM DEMO..ADMMA WHERE MA001='ADM'"), "SELECT MA002 FROM ADMMA WHERE MA001='ADM'");
    EXPECT_EQ(T("SELECT * FROM DEMO.dbo.ADMMA A JOIN [DEMO]..ADMMB B ON A.MA001 = B.MB014"),
              "SELECT * FROM ADMMA A JOIN ADMMB B ON A.MA001 = B.MB014");
    // Column qualifiers stay; text inside literals is never touched.
    EXPECT_EQ(T("SELECT ADMMC.MC001 FROM ADMMC WHERE MC005 = '$$ and DB..T'"),
              "SELECT ADMMC.MC001 FROM ADMMC WHERE MC005 = '$$ and DB..T'");
}

TEST(SqlTranslator, MovesTopToALimitAtTheEndOfItsSelect) {
    EXPECT_EQ(T("select top 1 MF001,MF003 from CMSMF where MF001='RMB'"),
              "select MF001,MF003 from CMSMF where MF001='RMB' LIMIT 1");
    EXPECT_EQ(T(" SELECT top  1  MC006,MC009 \r FROM  QWSMC \r ORDER  BY  MC002 DESC  "),
              " SELECT MC006,MC009 \r FROM  QWSMC \r ORDER  BY  MC002 DESC LIMIT 1  ");
    EXPECT_EQ(T("SELECT DISTINCT TOP (5) MD001 FROM ADMMD;"), "SELECT DISTINCT MD001 FROM ADMMD LIMIT 5;");
    EXPECT_EQ(T("SELECT MC001 FROM ADMMC WHERE MC004 IN (SELECT TOP 2 MA001 FROM ADMMA ORDER BY MA001) ORDER BY MC001"),
              "SELECT MC001 FROM ADMMC WHERE MC004 IN (SELECT MA001 FROM ADMMA ORDER BY MA001 LIMIT 2) ORDER BY MC001");
    EXPECT_EQ(T("SELECT TOP 100 PERCENT MA001 FROM ADMMA ORDER BY MA001"), "SELECT MA001 FROM ADMMA ORDER BY MA001");
    EXPECT_EQ(T("SELECT 'TOP 1' FROM T"), "SELECT 'TOP 1' FROM T");
}

TEST(SqlTranslator, DropsHintsAndRewritesFunctionsAndLiterals) {
    EXPECT_EQ(T("select 1 AS REC from QWJOBQUE(nolock) where QW001='DEMO'"), "select 1 AS REC from QWJOBQUE  where QW001='DEMO'");
    EXPECT_EQ(T("SELECT * FROM ADMMA WITH (NOLOCK) WHERE 1=1"), "SELECT * FROM ADMMA   WHERE 1=1");
    EXPECT_EQ(T("SELECT ISNULL(MA003, N'无') FROM ADMMA"), "SELECT IFNULL(MA003, '无') FROM ADMMA");
    EXPECT_EQ(T("SELECT SUBSTRING(MC001, 1, 3), GETDATE() FROM ADMMC"),
              "SELECT substr(MC001, 1, 3), datetime('now','localtime') FROM ADMMC");
    EXPECT_EQ(T("SELECT N'it''s' FROM T"), "SELECT 'it''s' FROM T");
}

TEST(SqlTranslator, ConcatenatesWhereAnOperandIsAString) {
    EXPECT_EQ(T("SELECT MC001 + '-' + MC002 FROM ADMMC"), "SELECT MC001 || '-' || MC002 FROM ADMMC");
    EXPECT_EQ(T("SELECT RTRIM(MA001) + MA002 FROM ADMMA"), "SELECT RTRIM(MA001) || MA002 FROM ADMMA");
    EXPECT_EQ(T("SELECT CAST(MF003 AS VARCHAR(4)) + ADMMA.MA002 FROM T"),
              "SELECT CAST(MF003 AS VARCHAR(4)) || ADMMA.MA002 FROM T");
    // Numbers and unknown columns are left to add; separate chains stay separate.
    EXPECT_EQ(T("SELECT MF003 + 1, MF004 + MF005 FROM CMSMF"), "SELECT MF003 + 1, MF004 + MF005 FROM CMSMF");
    EXPECT_EQ(T("SELECT MF003 + 1, 'a' + MF002 FROM CMSMF WHERE (MF004 + 2) > 0"),
              "SELECT MF003 + 1, 'a' || MF002 FROM CMSMF WHERE (MF004 + 2) > 0");
    // A text literal first makes the whole chain text, however long.
    EXPECT_EQ(T("SELECT 'x' + A + B FROM T"), "SELECT 'x' || A || B FROM T");
    EXPECT_EQ(T("SELECT 'x' + A + B + C, D + E FROM T"), "SELECT 'x' || A || B || C, D + E FROM T");
    EXPECT_EQ(SqlTranslator(SqlDialect::PostgreSQL).Translate("SELECT 'x' + A + B FROM T"), "SELECT 'x' || A || B FROM T");
}

namespace {
std::string Pg(const std::string& sql) { return SqlTranslator(SqlDialect::PostgreSQL).Translate(sql); }
}  // namespace

TEST(SqlTranslator, PostgresDialectUsesItsOwnFunctionsAndNames) {
    // What both dialects share.
    EXPECT_EQ(Pg("select top 1 MF001 from $$CMSMF (nolock) where MF002 = N'人民币'"),
              "select MF001 from CMSMF   where MF002 = '人民币' LIMIT 1");
    EXPECT_EQ(Pg("SELECT MC001 + '-' + MC002 FROM DEMO..ADMMC"), "SELECT MC001 || '-' || MC002 FROM ADMMC");
    EXPECT_EQ(Pg("SELECT SUBSTRING(MC001, 1, 3), RPAD(MC002, 4) FROM ADMMC"),
              "SELECT substr(MC001, 1, 3), RPAD(MC002, 4) FROM ADMMC");
    // What PostgreSQL names differently.
    EXPECT_EQ(Pg("SELECT ISNULL(MA003, N'无'), GETDATE() FROM ADMMA"),
              "SELECT COALESCE(MA003, '无'), LOCALTIMESTAMP(0) FROM ADMMA");
    EXPECT_EQ(Pg("SELECT LEN(RTRIM(MA002)) + 1 FROM ADMMA WHERE LEN(MA001)>2"),
              "SELECT length(rtrim(CAST(RTRIM(MA002) AS text))) + 1 FROM ADMMA WHERE length(rtrim(CAST(MA001 AS text)))>2");
    EXPECT_EQ(Pg("SELECT [MA001], [my col] FROM [DEMO]..[ADMMA]"), "SELECT MA001, \"my col\" FROM ADMMA");
    // Case-insensitive LIKE and nulls sorted low, as SQLite has them.
    EXPECT_EQ(Pg("SELECT * FROM T WHERE A NOT LIKE 'x%' ORDER BY A, B DESC, C ASC"),
              "SELECT * FROM T WHERE A NOT ILIKE 'x%' ORDER BY A NULLS FIRST, B DESC NULLS LAST, C ASC NULLS FIRST");
    EXPECT_EQ(Pg("SELECT TOP 2 A FROM T WHERE B IN (SELECT B FROM U ORDER BY RTRIM(B, 'x')) ORDER BY A NULLS LAST"),
              "SELECT A FROM T WHERE B IN (SELECT B FROM U ORDER BY RTRIM(B, 'x') NULLS FIRST) ORDER BY A NULLS LAST LIMIT 2");
    // SQLite keeps its own spellings.
    EXPECT_EQ(T("SELECT LEN(MA001), [MA001] FROM ADMMA WHERE A LIKE 'x' ORDER BY A"),
              "SELECT LEN(MA001), [MA001] FROM ADMMA WHERE A LIKE 'x' ORDER BY A");
    EXPECT_EQ(SqlTranslator().Dialect(), SqlDialect::SQLite);
}

TEST(SqlTranslator, NumbersParameterMarkersOutsideLiterals) {
    EXPECT_EQ(NumberedParameters("SELECT ? FROM T WHERE A = ? AND B = '?' AND C = ? -- ?"),
              "SELECT $1 FROM T WHERE A = $2 AND B = '?' AND C = $3 -- ?");
    EXPECT_EQ(NumberedParameters("SELECT \"?\", [?] FROM T"), "SELECT \"?\", [?] FROM T");
    EXPECT_EQ(NumberedParameters("SELECT 1"), "SELECT 1");
}
