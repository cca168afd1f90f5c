#include "tests/single/program/Tsgl01Install.h"

const std::vector<std::string>& Tsgl01InstallStatements() {
    static const std::vector<std::string> statements = {
        "CREATE TABLE TSGMA ("
        " MA001 varchar(4) NOT NULL, MA002 varchar(12) NOT NULL, MA003 varchar(30), MA004 integer,"
        " MA005 numeric(12,2), MA006 numeric(8,4), MA007 char(8), MA008 varchar(255),"
        " UDF01 varchar(255), UDF51 numeric(18,6),"
        " COMPANY varchar(10), CREATOR varchar(10), USR_GROUP varchar(10), CREATE_DATE char(17),"
        " MODIFIER varchar(10), MODI_DATE char(17), FLAG numeric DEFAULT 0,"
        " CONSTRAINT PK_TSGMA PRIMARY KEY (MA001, MA002))",
        "INSERT INTO ADMMB (MB001, MB002, MB003, MB004, MB005, MB006, MB007, MB008, MB009, MB010, MB011, MB014)"
        " VALUES ('TSGL01', '单表测试作业', 'TSGL01', '', '', 'TSGL01', '', '', 'N', 'N', 'Single Table Test', 'ADM')",
        "INSERT INTO ADMPI (PI001, PI002, PI003) VALUES ('TSGL01', 'M11_TABLE', 'TSGMA')",
        "INSERT INTO ADMPI (PI001, PI002, PI003) VALUES ('TSGL01', 'M11_KEY', 'MA001,MA002')",
        "INSERT INTO ADMPI (PI001, PI002, PI003) VALUES ('TSGL01', 'M11_SELECT', 'SELECT TSGMA.* FROM TSGMA TSGMA')",
        "INSERT INTO ADMPI (PI001, PI002, PI003) VALUES ('TSGL01', 'BaseLimited', 'N')",
        "INSERT INTO ADMMP (MP001, MP002, MP003, MP004) VALUES ('DS', 'TSGL01', ',Y,N,YYYYYYYYYYYY,YYYYYYY,YYYYYYY', '')",
        "INSERT INTO ADMMP (MP001, MP002, MP003, MP004) VALUES ('CLERK', 'TSGL01', ',Y,Y,YYYYYYYYYYYY,YYYYYYY,NNNNNNN', '')",
        "INSERT INTO TSGMA (MA001, MA002, MA003, MA004, MA005, MA006, MA007, MA008, COMPANY, CREATOR, USR_GROUP,"
        " CREATE_DATE, FLAG) VALUES ('A', '202401020001', '螺丝', 100, 12.5, 0.05, '20240102', '标准件', 'DEMO', 'DS',"
        " 'ADMIN', '20240102083000000', 1)",
        "INSERT INTO TSGMA (MA001, MA002, MA003, MA004, MA005, MA006, MA007, MA008, COMPANY, CREATOR, USR_GROUP,"
        " CREATE_DATE, FLAG) VALUES ('A', '202401020002', '螺母', 250, 3.75, 0.1, '20240102', NULL, 'DEMO', 'DS',"
        " 'ADMIN', '20240102083000000', 1)",
        "INSERT INTO TSGMA (MA001, MA002, MA003, MA004, MA005, MA006, MA007, MA008, COMPANY, CREATOR, USR_GROUP,"
        " CREATE_DATE, FLAG) VALUES ('B', '202401030001', '垫圈', 40, 0.5, 0, '20240103', NULL, 'DEMO', 'CLERK',"
        " 'CLERK', '20240103083000000', 1)",
    };
    return statements;
}
