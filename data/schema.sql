-- The company database. Written in the common subset of SQLite and PostgreSQL: varchar/char/numeric/text
-- columns, named primary keys, deferrable foreign keys. Every table carries the system columns; documents
-- (ADMMC/ADMMD) also carry the user-defined columns. The system name MC004C is not stored: the header
-- statement joins ADMMA for it (program information M11_SELECT), so a renamed system shows everywhere.

-- Systems of the suite (owners of documents).
CREATE TABLE ADMMA (
    MA001       varchar(3)   NOT NULL,
    MA002       varchar(24),
    MA003       varchar(255),
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMMA PRIMARY KEY (MA001)
);

-- Programs. The "06" lookup returns MB002, MB003 ... MB011 as the program information elements 0 to 9.
CREATE TABLE ADMMB (
    MB001       varchar(10)  NOT NULL,       -- program id
    MB002       varchar(40),                 -- [0] name
    MB003       varchar(10),                 -- [1] print program id
    MB004       varchar(40),                 -- [2] transaction manager program id
    MB005       varchar(20),                 -- [3] transaction id
    MB006       varchar(40),                 -- [4] report name
    MB007       varchar(255),                -- [5] approval server setting
    MB008       varchar(255),                -- [6] approval server setting
    MB009       char(1),                     -- [7] program flag
    MB010       char(1),                     -- [8] empty-body policy
    MB011       varchar(40),                 -- [9] English name
    MB012       varchar(40),                 -- traditional-Chinese name
    MB013       varchar(40),                 -- other-language name
    MB014       varchar(3),                  -- owning system
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMMB PRIMARY KEY (MB001)
);

-- Documents (table definitions): header.
CREATE TABLE ADMMC (
    MC001       varchar(10)  NOT NULL,
    MC002       varchar(24),
    MC003       char(1),
    MC004       varchar(3),
    MC005       varchar(255),
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    UDF01       varchar(255),
    UDF02       varchar(255),
    UDF03       varchar(255),
    UDF04       varchar(255),
    UDF05       varchar(255),
    UDF06       varchar(255),
    UDF07       varchar(255),
    UDF08       varchar(255),
    UDF09       varchar(255),
    UDF10       varchar(255),
    UDF11       varchar(255),
    UDF12       varchar(255),
    UDF51       numeric,
    UDF52       numeric,
    UDF53       numeric,
    UDF54       numeric,
    UDF55       numeric,
    UDF56       numeric,
    UDF57       numeric,
    UDF58       numeric,
    UDF59       numeric,
    UDF60       numeric,
    UDF61       numeric,
    UDF62       numeric,
    CONSTRAINT PK_ADMMC PRIMARY KEY (MC001)
);

-- Documents: body, one row per field of the table.
CREATE TABLE ADMMD (
    MD001       varchar(10)  NOT NULL,
    MD002       varchar(4)   NOT NULL,
    MD003       varchar(15),
    MD004       varchar(20),
    MD005       char(1),
    MD006       numeric,
    MD007       varchar(255),
    MD008       varchar(10),
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    UDF01       varchar(255),
    UDF02       varchar(255),
    UDF03       varchar(255),
    UDF04       varchar(255),
    UDF05       varchar(255),
    UDF06       varchar(255),
    UDF07       varchar(255),
    UDF08       varchar(255),
    UDF09       varchar(255),
    UDF10       varchar(255),
    UDF11       varchar(255),
    UDF12       varchar(255),
    UDF51       numeric,
    UDF52       numeric,
    UDF53       numeric,
    UDF54       numeric,
    UDF55       numeric,
    UDF56       numeric,
    UDF57       numeric,
    UDF58       numeric,
    UDF59       numeric,
    UDF60       numeric,
    UDF61       numeric,
    UDF62       numeric,
    CONSTRAINT PK_ADMMD PRIMARY KEY (MD001, MD002),
    CONSTRAINT FK_ADMMD_ADMMC FOREIGN KEY (MD001) REFERENCES ADMMC (MC001)
        ON UPDATE CASCADE ON DELETE CASCADE DEFERRABLE INITIALLY DEFERRED
);

-- Program information sent at connect time (name=value lines): table levels and their statements.
CREATE TABLE ADMPI (
    PI001       varchar(10)  NOT NULL,
    PI002       varchar(20)  NOT NULL,
    PI003       text,
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMPI PRIMARY KEY (PI001, PI002),
    CONSTRAINT FK_ADMPI_ADMMB FOREIGN KEY (PI001) REFERENCES ADMMB (MB001) ON DELETE CASCADE
);

-- Users.
CREATE TABLE RKTMA (
    MA001       varchar(10)  NOT NULL,       -- user id
    MA002       varchar(20),                 -- name
    MA003       varchar(10),                 -- user group
    MA004       varchar(255),                -- group list: quoted group codes
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_RKTMA PRIMARY KEY (MA001)
);

-- Rights of a user on a program.
CREATE TABLE ADMMP (
    MP001       varchar(10)  NOT NULL,       -- user id
    MP002       varchar(10)  NOT NULL,       -- program id
    MP003       varchar(60),                 -- POWER_DATA
    MP004       varchar(255),                -- EX_POWER
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMMP PRIMARY KEY (MP001, MP002),
    CONSTRAINT FK_ADMMP_RKTMA FOREIGN KEY (MP001) REFERENCES RKTMA (MA001) ON DELETE CASCADE,
    CONSTRAINT FK_ADMMP_ADMMB FOREIGN KEY (MP002) REFERENCES ADMMB (MB001) ON DELETE CASCADE
);

-- Company system settings (SYS001 date order, SYS002 date separator, RKT002 short name ...).
CREATE TABLE ADMSY (
    SY001       varchar(10)  NOT NULL,       -- company id
    SY002       varchar(20)  NOT NULL,       -- setting name
    SY003       varchar(255),                -- value
    SY004       varchar(255),                -- description
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMSY PRIMARY KEY (SY001, SY002)
);

-- Lookup catalog: table code + kind -> statement for value checks (keys bound to "?" in order)
-- and statement, caption and column titles for the F2 list.
CREATE TABLE ADMLK (
    LK001       varchar(20)  NOT NULL,
    LK002       varchar(4)   NOT NULL,
    LK003       text,
    LK004       text,
    LK005       varchar(60),
    LK006       varchar(255),
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMLK PRIMARY KEY (LK001, LK002)
);

-- Currencies and their decimals.
CREATE TABLE CMSMF (
    MF001       varchar(4)   NOT NULL,
    MF002       varchar(20),
    MF003       numeric,                     -- price digits
    MF004       numeric,                     -- money digits
    MF005       numeric,                     -- unit cost digits
    MF006       numeric,                     -- costs amount digits
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_CMSMF PRIMARY KEY (MF001)
);

-- Companies with their mail and approval-site settings.
CREATE TABLE RKTMB (
    MB001       varchar(10)  NOT NULL,       -- company id
    MB002       varchar(60),                 -- name
    MB003       varchar(20),                 -- short name
    MB004       varchar(20),                 -- database name
    MB005       varchar(60),                 -- mail server
    MB006       varchar(60),                 -- mail sender address
    MB007       varchar(60),                 -- mail account
    MB008       varchar(255),                -- web service address
    MB009       varchar(255),                -- web service path
    MB010       varchar(60),                 -- approval site name
    MB011       varchar(60),                 -- receiver address
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_RKTMB PRIMARY KEY (MB001)
);

-- Per-user program settings documents (screen customisation).
CREATE TABLE ADMMU (
    MU001       varchar(10)  NOT NULL,       -- company id
    MU002       varchar(10)  NOT NULL,       -- program id
    MU003       text,
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMMU PRIMARY KEY (MU001, MU002)
);

-- Per-user settings (GetUserDefine / SetUserDefine): one XML document per setting name.
CREATE TABLE ADMUD (
    UD001       varchar(10)  NOT NULL,       -- company id
    UD002       varchar(10)  NOT NULL,       -- user id
    UD003       varchar(20)  NOT NULL,       -- program id, or twenty '*' for all programs
    UD004       varchar(40)  NOT NULL,       -- setting name
    UD005       text,
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMUD PRIMARY KEY (UD001, UD002, UD003, UD004)
);

-- Saved query schemes.
CREATE TABLE DOCUS (
    NCONDITION  varchar(20)  NOT NULL,
    PROGRAMME   varchar(10)  NOT NULL,
    VCONDITION  text,
    ActivePage  numeric,
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_DOCUS PRIMARY KEY (NCONDITION, CREATOR, PROGRAMME)
);

-- Approval settings per program and document type ("****" = every type).
CREATE TABLE ADMMQ (
    MQ001       varchar(10)  NOT NULL,
    MQ002       varchar(4)   NOT NULL,
    MQ003       char(1),
    MQ004       varchar(20),
    MQ005       varchar(20),
    MQ006       char(1),
    MQ007       char(1),
    MQ008       char(1),
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMMQ PRIMARY KEY (MQ001, MQ002)
);

-- Links between programs.
CREATE TABLE ADMMR (
    MR001       varchar(10)  NOT NULL,
    MR002       varchar(4)   NOT NULL,
    MR003       varchar(20),
    MR004       varchar(20),
    MR005       varchar(20),
    MR006       varchar(10),
    MR007       varchar(20),
    MR008       varchar(20),
    MR009       varchar(4),
    MR010       varchar(20),
    MR011       numeric,
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMMR PRIMARY KEY (MR001, MR002)
);

-- Color rules per program (an XML document).
CREATE TABLE ADMNH (
    NH001       varchar(10)  NOT NULL,
    NH002       varchar(40),
    NH003       text,
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMNH PRIMARY KEY (NH001)
);

-- User-defined field rules: header.
CREATE TABLE ADMTK (
    TK001       varchar(10)  NOT NULL,
    TK002       varchar(40),
    TK003       char(1),
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMTK PRIMARY KEY (TK001)
);

-- User-defined field rules: lines.
CREATE TABLE ADMTL (
    TL001       varchar(10)  NOT NULL,
    TL002       varchar(4)   NOT NULL,
    TL003       varchar(10),
    TL004       varchar(40),
    TL005       varchar(10),
    TL006       varchar(20),
    TL010       char(1),
    TL011       numeric,
    TL012       varchar(255),
    TL013       text,
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMTL PRIMARY KEY (TL001, TL002)
);

-- User-defined field copy parameters.
CREATE TABLE ADMTJ (
    TJ001       varchar(10)  NOT NULL,
    TJ002       varchar(10)  NOT NULL,
    TJ003       varchar(20)  NOT NULL,
    TJ004       varchar(4),
    TJ005       varchar(20),
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMTJ PRIMARY KEY (TJ001, TJ002, TJ003)
);

-- Approval-site settings per program and document type.
CREATE TABLE QWSMC (
    MC001       varchar(10)  NOT NULL,
    MC002       varchar(4)   NOT NULL,
    MC006       char(1),
    MC007       char(1),
    MC008       char(1),
    MC009       varchar(20),
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_QWSMC PRIMARY KEY (MC001, MC002)
);

-- Approval-site answers per document.
CREATE TABLE QWSME (
    ME001       varchar(10)  NOT NULL,
    ME002       varchar(40)  NOT NULL,
    ME003       varchar(40)  NOT NULL,
    ME004       varchar(40)  NOT NULL,
    ME005       varchar(40)  NOT NULL,
    ME006       varchar(255) NOT NULL,
    ME007       text,
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_QWSME PRIMARY KEY (ME001, ME002, ME003, ME004, ME005, ME006)
);

-- Approval job queue.
CREATE TABLE QWJOBQUE (
    QW001       varchar(10)  NOT NULL,       -- company id
    QW002       varchar(10)  NOT NULL,       -- program id
    QW003       varchar(255) NOT NULL,       -- key text
    QW004       text,                        -- job body
    QW005       char(1),
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_QWJOBQUE PRIMARY KEY (QW001, QW002, QW003)
);

-- Print formats per report.
CREATE TABLE WARRANT (
    NT001       varchar(40)  NOT NULL,
    NT002       varchar(60)  NOT NULL,
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_WARRANT PRIMARY KEY (NT001, NT002)
);

-- Total and decimal digits of the numeric columns, by table (lookup "NUMFD", "01").
CREATE TABLE ADMNF (
    NF001       varchar(20)  NOT NULL,       -- table
    NF002       varchar(20)  NOT NULL,       -- column
    NF003       integer,                     -- total digits
    NF004       integer,                     -- decimal digits
    CONSTRAINT PK_ADMNF PRIMARY KEY (NF001, NF002)
);

-- Base-data rights: a user with rules for a table may touch only the rows whose column holds one of
-- the values listed for that column (every ruled column must match). No rules: every row.
CREATE TABLE ADMBR (
    BR001       varchar(10)  NOT NULL,       -- user id
    BR002       varchar(20)  NOT NULL,       -- table
    BR003       varchar(20)  NOT NULL,       -- column
    BR004       varchar(60)  NOT NULL,       -- permitted value
    CONSTRAINT PK_ADMBR PRIMARY KEY (BR001, BR002, BR003, BR004)
);
