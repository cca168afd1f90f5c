-- The company database. Written in the common subset of SQLite and PostgreSQL: varchar/char/numeric/text
-- columns, named primary keys, deferrable foreign keys. Every table carries the system columns; documents
-- (ADMMC/ADMMD) also carry the user-defined columns. The system name MC004C is not stored: the header
-- statement joins ADMMA for it (program information M11_SELECT), so a renamed system shows everywhere.
--
-- The demo company documents every table of this file as a table definition (ADMMC with its fields in
-- ADMMD), read from the comments here when the company is created:
--   CREATE TABLE name (   -- <document type 1-8> <system> <file name> [| remark]
--       column  type,     -- <field name> [@<entity table>] [| description]
-- System and user-defined columns need no comment; foreign keys give the entity table too.

-- Systems of the suite (owners of documents).
CREATE TABLE ADMMA (          -- 7 ADM 系统信息档 | 各系统的编号与名称
    MA001       varchar(3)   NOT NULL,       -- 系统编号
    MA002       varchar(24),                 -- 系统名称
    MA003       varchar(255),                -- 备注
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
CREATE TABLE ADMMB (          -- 7 ADM 作业信息档 | 作业与其程序信息
    MB001       varchar(10)  NOT NULL,       -- 作业编号 | program id
    MB002       varchar(40),                 -- 作业名称 | [0] name
    MB003       varchar(10),                 -- 打印作业编号 | [1] print program id
    MB004       varchar(40),                 -- 交易管理器 | [2] transaction manager program id
    MB005       varchar(20),                 -- 交易编号 | [3] transaction id
    MB006       varchar(40),                 -- 报表名称 | [4] report name
    MB007       varchar(255),                -- 签核服务器设置一 | [5] approval server setting
    MB008       varchar(255),                -- 签核服务器设置二 | [6] approval server setting
    MB009       char(1),                     -- 作业标志 | [7] program flag
    MB010       char(1),                     -- 单身为空的处理 | [8] empty-body policy
    MB011       varchar(40),                 -- 英文名称 | [9] English name
    MB012       varchar(40),                 -- 繁体名称 | traditional-Chinese name
    MB013       varchar(40),                 -- 其他语言名称 | other-language name
    MB014       varchar(3),                  -- 所属系统 @ADMMA | owning system
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
CREATE TABLE ADMMC (          -- 1 ADM 文档信息单头档 | 文档信息录入作业的单头
    MC001       varchar(10)  NOT NULL,       -- 文档编号
    MC002       varchar(24),                 -- 文件名
    MC003       char(1),                     -- 类型 | 1主档单头 2主档单身 3交易单头 4交易单身 5交易纪录档 6月档或统计档 7系统文档 8其他
    MC004       varchar(3),                  -- 系统编号 @ADMMA
    MC005       varchar(255),                -- 备注
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
CREATE TABLE ADMMD (          -- 2 ADM 文档信息单身档 | 文档信息录入作业的单身
    MD001       varchar(10)  NOT NULL,       -- 文档代码
    MD002       varchar(4)   NOT NULL,       -- 序号
    MD003       varchar(15),                 -- 字段编号
    MD004       varchar(20),                 -- 字段名称
    MD005       char(1),                     -- 类型 | C N V D T I Z
    MD006       numeric,                     -- 长度 | 整数位.小数位
    MD007       varchar(255),                -- 字段说明
    MD008       varchar(10),                 -- 实体类型
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
CREATE TABLE ADMPI (          -- 7 ADM 作业参数档 | 连接时传给作业的程序信息
    PI001       varchar(10)  NOT NULL,       -- 作业编号
    PI002       varchar(20)  NOT NULL,       -- 参数名称
    PI003       text,                        -- 参数值
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
CREATE TABLE RKTMA (          -- 1 ADM 用户信息档
    MA001       varchar(10)  NOT NULL,       -- 用户编号 | user id
    MA002       varchar(20),                 -- 用户姓名 | name
    MA003       varchar(10),                 -- 用户组 | user group
    MA004       varchar(255),                -- 所属组清单 | 加引号的组编号
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_RKTMA PRIMARY KEY (MA001)
);

-- Users' passwords as salted slow hashes (PBKDF2-HMAC-SHA256): the keys a login proof is checked
-- against, from which the password cannot be read back. A user without a row cannot log in remotely.
CREATE TABLE RKTPW (          -- 1 ADM 用户密码档
    PW001       varchar(10)  NOT NULL,       -- 用户编号 @RKTMA | user id
    PW002       varchar(64)  NOT NULL,       -- 盐 | salt, hexadecimal
    PW003       numeric      NOT NULL,       -- 迭代次数 | iterations
    PW004       varchar(64)  NOT NULL,       -- 存储密钥 | stored key, hexadecimal
    PW005       varchar(64)  NOT NULL,       -- 服务器密钥 | server key, hexadecimal
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_RKTPW PRIMARY KEY (PW001),
    CONSTRAINT FK_RKTPW_RKTMA FOREIGN KEY (PW001) REFERENCES RKTMA (MA001) ON DELETE CASCADE
);

-- Rights of a user on a program.
CREATE TABLE ADMMP (          -- 7 ADM 用户权限档
    MP001       varchar(10)  NOT NULL,       -- 用户编号 | user id
    MP002       varchar(10)  NOT NULL,       -- 作业编号 | program id
    MP003       varchar(60),                 -- 权限 | POWER_DATA
    MP004       varchar(255),                -- 扩展权限 | EX_POWER
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
CREATE TABLE ADMSY (          -- 7 ADM 系统参数档
    SY001       varchar(10)  NOT NULL,       -- 公司编号 @RKTMB | company id
    SY002       varchar(20)  NOT NULL,       -- 参数名称 | setting name
    SY003       varchar(255),                -- 参数值 | value
    SY004       varchar(255),                -- 说明 | description
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
CREATE TABLE ADMLK (          -- 7 ADM 查询目录档 | 开窗查询与检查的语句
    LK001       varchar(20)  NOT NULL,       -- 表代码
    LK002       varchar(4)   NOT NULL,       -- 查询种类
    LK003       text,                        -- 检查语句
    LK004       text,                        -- 开窗语句
    LK005       varchar(60),                 -- 开窗标题
    LK006       varchar(255),                -- 开窗栏位标题
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
CREATE TABLE CMSMF (          -- 1 CMS 币种信息档
    MF001       varchar(4)   NOT NULL,       -- 币种
    MF002       varchar(20),                 -- 币种名称
    MF003       numeric,                     -- 单价小数位 | price digits
    MF004       numeric,                     -- 金额小数位 | money digits
    MF005       numeric,                     -- 单位成本小数位 | unit cost digits
    MF006       numeric,                     -- 成本金额小数位 | costs amount digits
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
CREATE TABLE RKTMB (          -- 1 ADM 公司信息档
    MB001       varchar(10)  NOT NULL,       -- 公司编号 | company id
    MB002       varchar(60),                 -- 公司名称 | name
    MB003       varchar(20),                 -- 公司简称 | short name
    MB004       varchar(20),                 -- 数据库名称 | database name
    MB005       varchar(60),                 -- 邮件服务器 | mail server
    MB006       varchar(60),                 -- 发件人地址 | mail sender address
    MB007       varchar(60),                 -- 邮件账号 | mail account
    MB008       varchar(255),                -- 签核服务地址 | web service address
    MB009       varchar(255),                -- 签核服务路径 | web service path
    MB010       varchar(60),                 -- 签核站台名称 | approval site name
    MB011       varchar(60),                 -- 收件人地址 | receiver address
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
CREATE TABLE ADMMU (          -- 7 ADM 作业画面设置档
    MU001       varchar(10)  NOT NULL,       -- 公司编号 @RKTMB | company id
    MU002       varchar(10)  NOT NULL,       -- 作业编号 | program id
    MU003       text,                        -- 设置文档
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
CREATE TABLE ADMUD (          -- 7 ADM 用户设置档
    UD001       varchar(10)  NOT NULL,       -- 公司编号 @RKTMB | company id
    UD002       varchar(10)  NOT NULL,       -- 用户编号 | user id
    UD003       varchar(20)  NOT NULL,       -- 作业编号 | program id, or twenty '*' for all programs
    UD004       varchar(40)  NOT NULL,       -- 设置名称 | setting name
    UD005       text,                        -- 设置文档
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
CREATE TABLE DOCUS (          -- 7 ADM 查询方案档
    NCONDITION  varchar(20)  NOT NULL,       -- 方案名称
    PROGRAMME   varchar(10)  NOT NULL,       -- 作业编号
    VCONDITION  text,                        -- 查询条件
    ActivePage  numeric,                     -- 当前页
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
CREATE TABLE ADMMQ (          -- 7 ADM 签核设置档
    MQ001       varchar(10)  NOT NULL,       -- 作业编号
    MQ002       varchar(4)   NOT NULL,       -- 单据性质
    MQ003       char(1),                     -- 需签核
    MQ004       varchar(20),                 -- 签核流程
    MQ005       varchar(20),                 -- 签核栏位
    MQ006       char(1),                     -- 送签后审核
    MQ007       char(1),                     -- 退回可修改
    MQ008       char(1),                     -- 启用
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
CREATE TABLE ADMMR (          -- 7 ADM 作业关联档
    MR001       varchar(10)  NOT NULL,       -- 作业编号
    MR002       varchar(4)   NOT NULL,       -- 序号
    MR003       varchar(20),                 -- 来源栏位
    MR004       varchar(20),                 -- 目标作业
    MR005       varchar(20),                 -- 目标栏位
    MR006       varchar(10),                 -- 目标表
    MR007       varchar(20),                 -- 关联栏位一
    MR008       varchar(20),                 -- 关联栏位二
    MR009       varchar(4),                  -- 单据性质
    MR010       varchar(20),                 -- 显示名称
    MR011       numeric,                     -- 排列顺序
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
CREATE TABLE ADMNH (          -- 7 ADM 颜色管理档
    NH001       varchar(10)  NOT NULL,       -- 作业编号
    NH002       varchar(40),                 -- 说明
    NH003       text,                        -- 颜色规则
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
CREATE TABLE ADMTK (          -- 1 ADM 自定义字段单头档
    TK001       varchar(10)  NOT NULL,       -- 作业编号
    TK002       varchar(40),                 -- 说明
    TK003       char(1),                     -- 启用
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
CREATE TABLE ADMTL (          -- 2 ADM 自定义字段单身档
    TL001       varchar(10)  NOT NULL,       -- 作业编号 @ADMTK
    TL002       varchar(4)   NOT NULL,       -- 序号
    TL003       varchar(10),                 -- 层级
    TL004       varchar(40),                 -- 字段名称
    TL005       varchar(10),                 -- 字段
    TL006       varchar(20),                 -- 控件类型
    TL010       char(1),                     -- 必填
    TL011       numeric,                     -- 小数位
    TL012       varchar(255),                -- 取值语句
    TL013       text,                        -- 计算公式
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
CREATE TABLE ADMTJ (          -- 7 ADM 自定义字段复制档
    TJ001       varchar(10)  NOT NULL,       -- 来源作业
    TJ002       varchar(10)  NOT NULL,       -- 目标作业
    TJ003       varchar(20)  NOT NULL,       -- 字段
    TJ004       varchar(4),                  -- 层级
    TJ005       varchar(20),                 -- 目标字段
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
CREATE TABLE QWSMC (          -- 7 ADM 签核站台设置档
    MC001       varchar(10)  NOT NULL,       -- 作业编号
    MC002       varchar(4)   NOT NULL,       -- 单据性质
    MC006       char(1),                     -- 需签核
    MC007       char(1),                     -- 送签后审核
    MC008       char(1),                     -- 启用
    MC009       varchar(20),                 -- 签核流程
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
CREATE TABLE QWSME (          -- 5 ADM 签核回复档
    ME001       varchar(10)  NOT NULL,       -- 公司编号
    ME002       varchar(40)  NOT NULL,       -- 作业编号
    ME003       varchar(40)  NOT NULL,       -- 单别
    ME004       varchar(40)  NOT NULL,       -- 单号
    ME005       varchar(40)  NOT NULL,       -- 签核人
    ME006       varchar(255) NOT NULL,       -- 签核时间
    ME007       text,                        -- 签核意见
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
CREATE TABLE QWJOBQUE (       -- 5 ADM 签核作业队列档
    QW001       varchar(10)  NOT NULL,       -- 公司编号 | company id
    QW002       varchar(10)  NOT NULL,       -- 作业编号 | program id
    QW003       varchar(255) NOT NULL,       -- 单据键值 | key text
    QW004       text,                        -- 作业内容 | job body
    QW005       char(1),                     -- 处理状态
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
CREATE TABLE WARRANT (        -- 7 ADM 凭证格式档
    NT001       varchar(40)  NOT NULL,       -- 报表名称
    NT002       varchar(60)  NOT NULL,       -- 格式名称
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
CREATE TABLE ADMNF (          -- 7 ADM 数值字段精度档
    NF001       varchar(20)  NOT NULL,       -- 表代码 | table
    NF002       varchar(20)  NOT NULL,       -- 字段 | column
    NF003       integer,                     -- 总位数 | total digits
    NF004       integer,                     -- 小数位数 | decimal digits
    CONSTRAINT PK_ADMNF PRIMARY KEY (NF001, NF002)
);

-- Base-data rights: a user with rules for a table may touch only the rows whose column holds one of
-- the values listed for that column (every ruled column must match). No rules: every row.
CREATE TABLE ADMBR (          -- 7 ADM 基本资料权限档
    BR001       varchar(10)  NOT NULL,       -- 用户编号 @RKTMA | user id
    BR002       varchar(20)  NOT NULL,       -- 表代码 | table
    BR003       varchar(20)  NOT NULL,       -- 字段 | column
    BR004       varchar(60)  NOT NULL,       -- 允许的值 | permitted value
    CONSTRAINT PK_ADMBR PRIMARY KEY (BR001, BR002, BR003, BR004)
);

-- Common phrases offered by the phrase window (lookup "ADMPH", "01"): the user's own and those of
-- everyone ('*').
CREATE TABLE ADMPH (          -- 7 ADM 常用语档 | 常用语查询的词汇
    PH001       varchar(10)  NOT NULL,       -- 用户编号 | * 表示所有用户
    PH002       varchar(4)   NOT NULL,       -- 序号
    PH003       varchar(255),                -- 常用语
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ADMPH PRIMARY KEY (PH001, PH002)
);

-- Attachments of documents, kept by the attachment window: per company, program and document key text
-- (key values joined with "||"), each file with its content in base64.
CREATE TABLE ATTACH (         -- 5 ADM 附件档 | 单据的附件
    CompanyID   varchar(10)  NOT NULL,       -- 公司编号 @RKTMB
    Parent      varchar(10)  NOT NULL,       -- 作业编号 @ADMMB
    KeyValues   varchar(255) NOT NULL,       -- 单据键值 | 键值以 || 连接
    FileName    varchar(255) NOT NULL,       -- 文件名称
    KeyFields   varchar(255),                -- 键值字段 | 字段以 || 连接
    FileSize    numeric,                     -- 文件大小
    Content     text,                        -- 文件内容 | base64
    Remark      varchar(255),                -- 备注
    COMPANY     varchar(10),
    CREATOR     varchar(10),
    USR_GROUP   varchar(10),
    CREATE_DATE char(17),
    MODIFIER    varchar(10),
    MODI_DATE   char(17),
    FLAG        numeric DEFAULT 0,
    CONSTRAINT PK_ATTACH PRIMARY KEY (CompanyID, Parent, KeyValues, FileName)
);
