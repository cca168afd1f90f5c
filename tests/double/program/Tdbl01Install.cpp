#include "tests/double/program/Tdbl01Install.h"

namespace {

constexpr const char* kSystemColumns =
    " COMPANY varchar(10), CREATOR varchar(10), USR_GROUP varchar(10), CREATE_DATE char(17),"
    " MODIFIER varchar(10), MODI_DATE char(17), FLAG numeric DEFAULT 0,";

std::string Info(const std::string& name, const std::string& value) {
    return "INSERT INTO ADMPI (PI001, PI002, PI003) VALUES ('TDBL01', '" + name + "', '" + value + "')";
}

std::string Line(const std::string& category, const std::string& line, const std::string& item) {
    return "INSERT INTO TDBMB (MB001, MB002, MB003, MB004, FLAG) VALUES ('" + category + "', '202401020001', '" + line + "', '" +
           item + "', 1)";
}

std::string Lot(const std::string& category, const std::string& line, const std::string& lot, const std::string& warehouse) {
    return "INSERT INTO TDBMC (MC001, MC002, MC003, MC004, MC005, FLAG) VALUES ('" + category + "', '202401020001', '" + line +
           "', '" + lot + "', '" + warehouse + "', 1)";
}

}  // namespace

const std::vector<std::string>& Tdbl01InstallStatements() {
    static const std::vector<std::string> statements = {
        std::string("CREATE TABLE TDBMA (MA001 varchar(4) NOT NULL, MA002 varchar(12) NOT NULL, MA003 varchar(30),") +
            kSystemColumns + " CONSTRAINT PK_TDBMA PRIMARY KEY (MA001, MA002))",
        std::string("CREATE TABLE TDBMB (MB001 varchar(4) NOT NULL, MB002 varchar(12) NOT NULL, MB003 varchar(4) NOT NULL,"
                    " MB004 varchar(30),") +
            kSystemColumns + " CONSTRAINT PK_TDBMB PRIMARY KEY (MB001, MB002, MB003))",
        std::string("CREATE TABLE TDBMC (MC001 varchar(4) NOT NULL, MC002 varchar(12) NOT NULL, MC003 varchar(4) NOT NULL,"
                    " MC004 varchar(4) NOT NULL, MC005 varchar(10),") +
            kSystemColumns + " CONSTRAINT PK_TDBMC PRIMARY KEY (MC001, MC002, MC003, MC004))",
        "INSERT INTO ADMMB (MB001, MB002, MB003, MB004, MB005, MB006, MB007, MB008, MB009, MB010, MB011, MB014)"
        " VALUES ('TDBL01', '单据测试作业', 'TDBL01', '', '', 'TDBL01', '', '', 'N', 'N', 'Document Test', 'ADM')",
        Info("M11_TABLE", "TDBMA"),
        Info("M11_KEY", "MA001,MA002"),
        Info("M11_SELECT", "SELECT TDBMA.* FROM TDBMA TDBMA"),
        Info("D11_TABLE", "TDBMB"),
        Info("D11_KEY", "MB001,MB002,MB003"),
        Info("D11_SELECT", "SELECT TDBMB.* FROM TDBMB TDBMB"),
        Info("F11_TABLE", "TDBMC"),
        Info("F11_KEY", "MC001,MC002,MC003,MC004"),
        Info("F11_SELECT", "SELECT TDBMC.* FROM TDBMC TDBMC"),
        Info("BaseLimited", "Y"),
        "INSERT INTO ADMMP (MP001, MP002, MP003, MP004) VALUES ('DS', 'TDBL01', ',Y,N,YYYYYYYYYYYY,YYYYYYY,YYYYYYY', '')",
        "INSERT INTO ADMMP (MP001, MP002, MP003, MP004) VALUES ('CLERK', 'TDBL01', ',Y,N,YYYYYYYYYYYY,YYYYYYY,YYYYYYY', '')",
        "INSERT INTO ADMBR (BR001, BR002, BR003, BR004) VALUES ('CLERK', 'TDBMC', 'MC005', 'W1')",
        "INSERT INTO TDBMA (MA001, MA002, MA003, FLAG) VALUES ('A', '202401020001', '甲公司', 1)",
        "INSERT INTO TDBMA (MA001, MA002, MA003, FLAG) VALUES ('B', '202401020001', '乙公司', 1)",
        Line("A", "0001", "螺丝"),
        Line("A", "0002", "螺母"),
        Line("A", "0003", "垫圈"),
        Line("B", "0001", "垫圈"),
        Lot("A", "0001", "0001", "W1"),
        Lot("A", "0002", "0001", "W2"),
        Lot("A", "0002", "0002", "W1"),
        Lot("A", "0003", "0001", "W3"),
        Lot("B", "0001", "0001", "W3"),
    };
    return statements;
}
