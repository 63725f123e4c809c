-- Reference target: root schema QELROOT, SQLite.
-- Date-times are stored as text YYYY-MM-DD HH:MM:SS (no T, no fraction),
-- so that text comparison orders them. Times of day are date-times on
-- 30 December 1899.

-- Collectors: one row per installed interface instance.
-- ENABLED is -1 (enabled) or 0. OVERRIDE_AUDITUSER is the user name the
-- collector writes as. LU_ID and LU_VERSION link the row to its interface
-- definition in k5_server_lu. AUDITUSER and AUDITTIMESTAMP tell who changed
-- the row last.
CREATE TABLE k5_server (
    INTERFACE_ID INTEGER NOT NULL,
    NAME VARCHAR(80),
    DESCRIPTION VARCHAR(255),
    ENABLED INTEGER NOT NULL DEFAULT 0,
    OVERRIDE_AUDITUSER VARCHAR(50),
    COLLECTOR_DATEADJUST REAL,
    COLLECTOR_QELTIMEZONEID INTEGER,
    LU_ID INTEGER,
    LU_VERSION VARCHAR(50),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (INTERFACE_ID)
);
CREATE INDEX k5_server_lu_id ON k5_server (LU_ID);

-- Time zones known to the target.
CREATE TABLE QELTIMEZONE (
    QELTIMEZONEID INTEGER NOT NULL,
    TIMEZONENAME VARCHAR(100),
    PRIMARY KEY (QELTIMEZONEID)
);

-- Offsets of a time zone for one year, in minutes west of UTC (UTC = local
-- + bias), so a zone five hours west has BIAS_STANDARD 300 and, in summer,
-- BIAS_DAYLIGHT 240. START_DAYLIGHT and START_STANDARD are the local
-- moments of that year at which daylight and standard time begin. A zone
-- without daylight time leaves START_DAYLIGHT Null.
CREATE TABLE qeltimezone_bias (
    QELTIMEZONEID INTEGER NOT NULL,
    YEARID INTEGER NOT NULL,
    BIAS_STANDARD INTEGER,
    BIAS_DAYLIGHT INTEGER,
    START_STANDARD DATETIME,
    START_DAYLIGHT DATETIME,
    PRIMARY KEY (QELTIMEZONEID, YEARID)
);

-- Facilities. FILENAME names the facility database (SQLite: the file
-- FILENAME.sqlite beside QELROOT.sqlite, PostgreSQL: the database named
-- FILENAME in lower case). DIRECTORY is the data source of the facility
-- database when facilities live on different servers.
CREATE TABLE FACILITY (
    FILENAME VARCHAR(50) NOT NULL,
    NAME VARCHAR(80),
    DIRECTORY VARCHAR(255),
    PRIMARY KEY (FILENAME)
);

-- Last-run date of a collector in a facility (FILENAME upper case), with
-- the machine, user, addresses and program folder of the last writer.
CREATE TABLE k5_server_run (
    INTERFACE_ID INTEGER NOT NULL,
    FILENAME VARCHAR(50) NOT NULL,
    LASTRUN DATETIME,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    WORKSTATION VARCHAR(80),
    NETUSER VARCHAR(80),
    IP VARCHAR(255),
    LOCALPATH VARCHAR(255),
    PRIMARY KEY (INTERFACE_ID, FILENAME)
);

-- Calculation requests. STATUS 0 is a new request, an empty VLIST asks for
-- every variable of FACILITY between DATESTART and DATEEND. ID is assigned
-- by the database.
CREATE TABLE CALCQUEUE (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    STATUS INTEGER,
    VLIST TEXT,
    DATESTART DATETIME,
    DATEEND DATETIME,
    FACILITY VARCHAR(50),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME DEFAULT (strftime('%Y-%m-%d %H:%M:%S','now','localtime'))
);

-- Users of the target. USERNAME is stored in upper case. USERTYPE Super
-- marks a super user. The name is a reserved word in SQL and is always
-- written in double quotes and upper case.
CREATE TABLE "USER" (
    USERNAME VARCHAR(50) NOT NULL,
    PASSWORD VARCHAR(50),
    USERTYPE VARCHAR(20),
    PRIMARY KEY (USERNAME)
);

-- Files stored in the database, addressed by DIRNAME and FILENAME (both
-- upper case). ID is assigned by the database and stays when the content
-- of a row is replaced.
CREATE TABLE FILES (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DIRNAME VARCHAR(255) NOT NULL,
    FILENAME VARCHAR(255) NOT NULL,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    FILEDATA BLOB
);
CREATE UNIQUE INDEX files_dirname_filename ON FILES (DIRNAME, FILENAME);

-- Interface definitions, one per LU_ID, LU_LOCALE_ID and LU_VERSION.
-- Flags are -1 (yes) or 0. CHM_FILE_ID and BROWSER_PLUGIN_FILE_ID are IDs
-- of FILES rows holding the help file and the browser plug-in.
CREATE TABLE k5_server_lu (
    LU_ID VARCHAR(50) NOT NULL,
    LU_VERSION VARCHAR(50) NOT NULL,
    LU_LOCALE_ID VARCHAR(50) NOT NULL,
    QUICK_DESC VARCHAR(255),
    COLLECTOR_CONTEXT VARCHAR(255),
    COLLECTOR_TYPE VARCHAR(255),
    COLLECTOR_COM VARCHAR(255),
    BROWSER_IMPLEMENTED INTEGER,
    CHM_FILE_ID INTEGER,
    UD_REQ1 INTEGER,
    UD_REQ2 INTEGER,
    UD_REQ3 INTEGER,
    UD_REQ4 INTEGER,
    UD_REQ5 INTEGER,
    UD_CAPTION1 VARCHAR(255),
    UD_CAPTION2 VARCHAR(255),
    UD_CAPTION3 VARCHAR(255),
    UD_CAPTION4 VARCHAR(255),
    UD_CAPTION5 VARCHAR(255),
    BROWSER_PLUGIN_FILE_ID INTEGER,
    BROWSER_CHM_ARTICLE_ID VARCHAR(255),
    BROWSER_REQ1 INTEGER,
    BROWSER_REQ2 INTEGER,
    BROWSER_REQ3 INTEGER,
    BROWSER_REQ4 INTEGER,
    BROWSER_REQ5 INTEGER,
    BROWSER_CAPTION1 VARCHAR(255),
    BROWSER_CAPTION2 VARCHAR(255),
    BROWSER_CAPTION3 VARCHAR(255),
    BROWSER_CAPTION4 VARCHAR(255),
    BROWSER_CAPTION5 VARCHAR(255),
    COLLECTOR_DATEADJUST_IMP INTEGER,
    COLLECTOR_DATEADJUST_CAPTION VARCHAR(255),
    PRIMARY KEY (LU_ID, LU_LOCALE_ID, LU_VERSION)
);

-- Optional features of an interface definition, one row per feature.
CREATE TABLE k5_lu_f_lu (
    LU_ID VARCHAR(50) NOT NULL,
    LU_VERSION VARCHAR(50) NOT NULL,
    LU_LOCALE_ID VARCHAR(50) NOT NULL,
    KEYVALUE VARCHAR(255),
    CURVALUE VARCHAR(255),
    KEY_DESC VARCHAR(255)
);
CREATE INDEX k5_lu_f_lu_definition ON k5_lu_f_lu (LU_ID, LU_LOCALE_ID, LU_VERSION);

-- Stored procedures. SQLite has none, so each procedure is kept as rows of
-- qel_procedures: one SQL statement per step, run in ascending step order in
-- one transaction. Parameters appear as :name and are bound by name. A
-- procedure with OUT parameters ends with a SELECT whose columns are named
-- after the OUT parameters, and no row means every OUT parameter is Null.
CREATE TABLE qel_procedures (
    name TEXT NOT NULL,
    step INTEGER NOT NULL,
    body TEXT NOT NULL,
    PRIMARY KEY (name, step)
);

-- GETSERVERTIME(date_out OUT): the local time of the database host, to the second.
INSERT INTO qel_procedures (name, step, body) VALUES
    ('GETSERVERTIME', 1,
     'SELECT strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime'') AS date_out');
