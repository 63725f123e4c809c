-- Generated from targetdb/sqlite/facility.sql.in by scripts/gen-facility-sql.
-- Edit the template and run the script again; changes made here are lost.
-- Reference target: one facility database, SQLite.
-- Date-times are stored as text YYYY-MM-DD HH:MM:SS (no T, no fraction),
-- so that text comparison orders them. Times of day are date-times on
-- 30 December 1899.

-- Variables. VARTYPE is the type code (kind and interval). The source
-- settings of a collector variable are SCADATAG (source tag), STATISTIC,
-- SCALEFACTOR, DECPLACES (9999 = not fixed), SOURCE_CNN_APPROVAL (approval
-- level of imported values), the filters and the daily window STARTTIME to
-- STOPTIME, held as times of day on 30 December 1899 (08:00 is
-- 1899-12-30 08:00:00). INTERFACETYPE SAME keeps the window inside the day.
-- K5_INTERFACE_ID links the variable to a collector, K5_ENABLED is -1 when
-- the link is active. LOCID is the LOCATION of the variable.
CREATE TABLE VARDESC (
    VARID INTEGER NOT NULL,
    VARNUM INTEGER,
    NAME VARCHAR(80),
    VARTYPE VARCHAR(5),
    UNITS VARCHAR(30),
    DECPLACES INTEGER,
    DESCRIPTION VARCHAR(255),
    SCADATAG VARCHAR(255),
    STATISTIC VARCHAR(30),
    SCALEFACTOR REAL,
    SOURCE_CNN_APPROVAL INTEGER,
    DEADBAND REAL,
    FILTERTAG VARCHAR(255),
    FILTEROP VARCHAR(10),
    FILTERVAL REAL,
    HIGHRANGE REAL,
    INTERFACETYPE VARCHAR(20),
    LOWRANGE REAL,
    STARTTIME DATETIME,
    STOPTIME DATETIME,
    K5_INTERFACE_ID INTEGER,
    K5_ENABLED INTEGER NOT NULL DEFAULT 0,
    LOCID INTEGER,
    PRIMARY KEY (VARID)
);
CREATE INDEX vardesc_collector ON VARDESC (K5_INTERFACE_ID, K5_ENABLED);

-- Location tree: PARENTID is Null for a top-level location.
CREATE TABLE LOCATION (
    LOCID INTEGER NOT NULL,
    LOCATION VARCHAR(80),
    PARENTID INTEGER,
    PRIMARY KEY (LOCID)
);

-- Facility settings as text. The row LockDate holds the date-time before
-- which no data may change, written YYYY-MM-DD HH:MM:SS.
CREATE TABLE Settings (
    SETTING VARCHAR(50) NOT NULL,
    CURVALUE VARCHAR(255),
    DESCRIPTION VARCHAR(255),
    PRIMARY KEY (SETTING)
);

-- Approval levels. A stored value whose STATUS is above the approval level
-- of a writer is not overwritten by it.
CREATE TABLE approvalini (
    ID INTEGER NOT NULL,
    NAME VARCHAR(50),
    PRIMARY KEY (ID)
);

-- Logbooks of the facility.
CREATE TABLE logbook (
    ID INTEGER NOT NULL,
    NAME VARCHAR(80),
    DESCRIPTION VARCHAR(255),
    PRIMARY KEY (ID)
);

-- Logbook entries. LBID is the logbook (0 when none), DATESTAMP the day and
-- TIMESTAMP the time of the entry. ID is assigned by the database.
CREATE TABLE logbookentries (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    LBID INTEGER NOT NULL,
    DATESTAMP DATETIME,
    TIMESTAMP DATETIME,
    COMMENT VARCHAR(2000),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME
);
CREATE INDEX logbookentries_lbid ON logbookentries (LBID);

-- Value tables: DATADDH hourly, DATADDF 15 minutes, DATADD1 one minute,
-- DATADD5 5 minutes, DATADD3 30 minutes, DATADD4 4 hours, DATADDX one
-- second, DATATBL daily (DATESTAMP at midnight). STATUS is the approval
-- level of the value, FORCED marks a value set by hand.
CREATE TABLE DATADDH (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    CURVALUE REAL,
    TEXTVALUE VARCHAR(255),
    STATUS INTEGER,
    FORCED INTEGER DEFAULT 0,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADDF (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    CURVALUE REAL,
    TEXTVALUE VARCHAR(255),
    STATUS INTEGER,
    FORCED INTEGER DEFAULT 0,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD1 (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    CURVALUE REAL,
    TEXTVALUE VARCHAR(255),
    STATUS INTEGER,
    FORCED INTEGER DEFAULT 0,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD5 (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    CURVALUE REAL,
    TEXTVALUE VARCHAR(255),
    STATUS INTEGER,
    FORCED INTEGER DEFAULT 0,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD3 (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    CURVALUE REAL,
    TEXTVALUE VARCHAR(255),
    STATUS INTEGER,
    FORCED INTEGER DEFAULT 0,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD4 (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    CURVALUE REAL,
    TEXTVALUE VARCHAR(255),
    STATUS INTEGER,
    FORCED INTEGER DEFAULT 0,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADDX (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    CURVALUE REAL,
    TEXTVALUE VARCHAR(255),
    STATUS INTEGER,
    FORCED INTEGER DEFAULT 0,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATATBL (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    CURVALUE REAL,
    TEXTVALUE VARCHAR(255),
    STATUS INTEGER,
    FORCED INTEGER DEFAULT 0,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);

-- Additional information of a stored value, one table per value table.
-- Every column besides VARID, DATESTAMP, AUDITUSER and AUDITTIMESTAMP is a
-- field that a collector may fill.
CREATE TABLE DATADDH_I (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    SAMPLER VARCHAR(80),
    LABREF NUMERIC,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADDF_I (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    SAMPLER VARCHAR(80),
    LABREF NUMERIC,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD1_I (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    SAMPLER VARCHAR(80),
    LABREF NUMERIC,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD5_I (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    SAMPLER VARCHAR(80),
    LABREF NUMERIC,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD3_I (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    SAMPLER VARCHAR(80),
    LABREF NUMERIC,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD4_I (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    SAMPLER VARCHAR(80),
    LABREF NUMERIC,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADDX_I (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    SAMPLER VARCHAR(80),
    LABREF NUMERIC,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATATBL_I (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    SAMPLER VARCHAR(80),
    LABREF NUMERIC,
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);

-- Comments of a slot (DATATBL_C: of a day), one table per value table.
CREATE TABLE DATADDH_C (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    COMMENTS VARCHAR(2000),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADDF_C (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    COMMENTS VARCHAR(2000),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD1_C (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    COMMENTS VARCHAR(2000),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD5_C (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    COMMENTS VARCHAR(2000),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD3_C (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    COMMENTS VARCHAR(2000),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADD4_C (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    COMMENTS VARCHAR(2000),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATADDX_C (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    COMMENTS VARCHAR(2000),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);
CREATE TABLE DATATBL_C (
    VARID INTEGER NOT NULL,
    DATESTAMP DATETIME NOT NULL,
    COMMENTS VARCHAR(2000),
    AUDITUSER VARCHAR(50),
    AUDITTIMESTAMP DATETIME,
    PRIMARY KEY (VARID, DATESTAMP)
);

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

-- A slot is slotstarttime <= DATESTAMP < slotendtime, or DATESTAMP =
-- slotstarttime when both bounds are equal (one-second variables). A write
-- replaces every row of the variable in the slot (and a row already stored at
-- the new DATESTAMP) by one row, FORCED 0. A seek returns the earliest row of
-- the slot. The next-row seek returns the n-th row (topnum_in, from 1) of
-- slotstart_in <= DATESTAMP < slotend_in.

-- Interval code H: table DATADDH
-- WRITEDDH(date IN, varid IN, value IN, textvalue IN, audituser IN, slotstarttime IN, slotendtime IN, status IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDDH', 1,
     'DELETE FROM DATADDH WHERE VARID = :varid AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDDH', 2,
     'DELETE FROM DATADDH WHERE VARID = :varid AND DATESTAMP IN (:date, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDDH', 3,
     'INSERT INTO DATADDH (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, FORCED, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid, :date, :value, substr(:textvalue,1,255), :status, 0, substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- SEEKFDDH(datestamp_1 IN, varid_2 IN, curvalue_3 OUT, textvalue_4 OUT, varid_5 OUT, audituser OUT, audittimestamp OUT, datestamp_out OUT, slotstarttime IN, slotendtime IN, status OUT, forced OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKFDDH', 1,
     'SELECT CURVALUE AS curvalue_3, TEXTVALUE AS textvalue_4, VARID AS varid_5, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp, DATESTAMP AS datestamp_out, STATUS AS status, FORCED AS forced FROM DATADDH WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- SEEKNEXTDDH(varid_in IN, slotstart_in IN, slotend_in IN, topnum_in IN, varid_out OUT, datestamp_out OUT, curvalue_out OUT, textvalue_out OUT, audituser_out OUT, audittimestamp_out OUT, status_out OUT, forced_out OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKNEXTDDH', 1,
     'SELECT VARID AS varid_out, DATESTAMP AS datestamp_out, CURVALUE AS curvalue_out, TEXTVALUE AS textvalue_out, AUDITUSER AS audituser_out, AUDITTIMESTAMP AS audittimestamp_out, STATUS AS status_out, FORCED AS forced_out FROM DATADDH WHERE VARID = :varid_in AND DATESTAMP >= :slotstart_in AND DATESTAMP < :slotend_in ORDER BY DATESTAMP LIMIT 1 OFFSET max(coalesce(CAST(:topnum_in AS INTEGER), 1), 1) - 1');
-- DELETEDDH(slotstarttime IN, varid IN, audituser IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDDH', 1,
     'DELETE FROM DATADDH WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SETFDDH(slotstarttime IN, slotendtime IN, varid IN, audituser IN, forced IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SETFDDH', 1,
     'UPDATE DATADDH SET FORCED = :forced, AUDITUSER = substr(:audituser,1,50), AUDITTIMESTAMP = strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime'') WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SEEKDDH_C(varid_in IN, comment_out OUT, audituser OUT, audittimestamp OUT, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKDDH_C', 1,
     'SELECT COMMENTS AS comment_out, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp FROM DATADDH_C WHERE VARID = :varid_in AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- WRITEDDH_C(datestamp_1 IN, varid_2 IN, comment_in IN, audituser IN, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDDH_C', 1,
     'DELETE FROM DATADDH_C WHERE VARID = :varid_2 AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDDH_C', 2,
     'DELETE FROM DATADDH_C WHERE VARID = :varid_2 AND DATESTAMP IN (:datestamp_1, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDDH_C', 3,
     'INSERT INTO DATADDH_C (VARID, DATESTAMP, COMMENTS, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid_2, :datestamp_1, substr(:comment_in,1,2000), substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- DELETEDDH_C(slotstarttime IN, varid_2 IN, slotendtime IN, audituser IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDDH_C', 1,
     'DELETE FROM DATADDH_C WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');

-- Interval code F: table DATADDF
-- WRITEDDF(date IN, varid IN, value IN, textvalue IN, audituser IN, slotstarttime IN, slotendtime IN, status IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDDF', 1,
     'DELETE FROM DATADDF WHERE VARID = :varid AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDDF', 2,
     'DELETE FROM DATADDF WHERE VARID = :varid AND DATESTAMP IN (:date, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDDF', 3,
     'INSERT INTO DATADDF (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, FORCED, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid, :date, :value, substr(:textvalue,1,255), :status, 0, substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- SEEKFDDF(datestamp_1 IN, varid_2 IN, curvalue_3 OUT, textvalue_4 OUT, varid_5 OUT, audituser OUT, audittimestamp OUT, datestamp_out OUT, slotstarttime IN, slotendtime IN, status OUT, forced OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKFDDF', 1,
     'SELECT CURVALUE AS curvalue_3, TEXTVALUE AS textvalue_4, VARID AS varid_5, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp, DATESTAMP AS datestamp_out, STATUS AS status, FORCED AS forced FROM DATADDF WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- SEEKNEXTDDF(varid_in IN, slotstart_in IN, slotend_in IN, topnum_in IN, varid_out OUT, datestamp_out OUT, curvalue_out OUT, textvalue_out OUT, audituser_out OUT, audittimestamp_out OUT, status_out OUT, forced_out OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKNEXTDDF', 1,
     'SELECT VARID AS varid_out, DATESTAMP AS datestamp_out, CURVALUE AS curvalue_out, TEXTVALUE AS textvalue_out, AUDITUSER AS audituser_out, AUDITTIMESTAMP AS audittimestamp_out, STATUS AS status_out, FORCED AS forced_out FROM DATADDF WHERE VARID = :varid_in AND DATESTAMP >= :slotstart_in AND DATESTAMP < :slotend_in ORDER BY DATESTAMP LIMIT 1 OFFSET max(coalesce(CAST(:topnum_in AS INTEGER), 1), 1) - 1');
-- DELETEDDF(slotstarttime IN, varid IN, audituser IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDDF', 1,
     'DELETE FROM DATADDF WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SETFDDF(slotstarttime IN, slotendtime IN, varid IN, audituser IN, forced IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SETFDDF', 1,
     'UPDATE DATADDF SET FORCED = :forced, AUDITUSER = substr(:audituser,1,50), AUDITTIMESTAMP = strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime'') WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SEEKDDF_C(varid_in IN, comment_out OUT, audituser OUT, audittimestamp OUT, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKDDF_C', 1,
     'SELECT COMMENTS AS comment_out, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp FROM DATADDF_C WHERE VARID = :varid_in AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- WRITEDDF_C(datestamp_1 IN, varid_2 IN, comment_in IN, audituser IN, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDDF_C', 1,
     'DELETE FROM DATADDF_C WHERE VARID = :varid_2 AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDDF_C', 2,
     'DELETE FROM DATADDF_C WHERE VARID = :varid_2 AND DATESTAMP IN (:datestamp_1, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDDF_C', 3,
     'INSERT INTO DATADDF_C (VARID, DATESTAMP, COMMENTS, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid_2, :datestamp_1, substr(:comment_in,1,2000), substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- DELETEDDF_C(slotstarttime IN, varid_2 IN, slotendtime IN, audituser IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDDF_C', 1,
     'DELETE FROM DATADDF_C WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');

-- Interval code 1: table DATADD1
-- WRITEDD1(date IN, varid IN, value IN, textvalue IN, audituser IN, slotstarttime IN, slotendtime IN, status IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDD1', 1,
     'DELETE FROM DATADD1 WHERE VARID = :varid AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDD1', 2,
     'DELETE FROM DATADD1 WHERE VARID = :varid AND DATESTAMP IN (:date, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDD1', 3,
     'INSERT INTO DATADD1 (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, FORCED, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid, :date, :value, substr(:textvalue,1,255), :status, 0, substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- SEEKFDD1(datestamp_1 IN, varid_2 IN, curvalue_3 OUT, textvalue_4 OUT, varid_5 OUT, audituser OUT, audittimestamp OUT, datestamp_out OUT, slotstarttime IN, slotendtime IN, status OUT, forced OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKFDD1', 1,
     'SELECT CURVALUE AS curvalue_3, TEXTVALUE AS textvalue_4, VARID AS varid_5, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp, DATESTAMP AS datestamp_out, STATUS AS status, FORCED AS forced FROM DATADD1 WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- SEEKNEXTDD1(varid_in IN, slotstart_in IN, slotend_in IN, topnum_in IN, varid_out OUT, datestamp_out OUT, curvalue_out OUT, textvalue_out OUT, audituser_out OUT, audittimestamp_out OUT, status_out OUT, forced_out OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKNEXTDD1', 1,
     'SELECT VARID AS varid_out, DATESTAMP AS datestamp_out, CURVALUE AS curvalue_out, TEXTVALUE AS textvalue_out, AUDITUSER AS audituser_out, AUDITTIMESTAMP AS audittimestamp_out, STATUS AS status_out, FORCED AS forced_out FROM DATADD1 WHERE VARID = :varid_in AND DATESTAMP >= :slotstart_in AND DATESTAMP < :slotend_in ORDER BY DATESTAMP LIMIT 1 OFFSET max(coalesce(CAST(:topnum_in AS INTEGER), 1), 1) - 1');
-- DELETEDD1(slotstarttime IN, varid IN, audituser IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDD1', 1,
     'DELETE FROM DATADD1 WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SETFDD1(slotstarttime IN, slotendtime IN, varid IN, audituser IN, forced IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SETFDD1', 1,
     'UPDATE DATADD1 SET FORCED = :forced, AUDITUSER = substr(:audituser,1,50), AUDITTIMESTAMP = strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime'') WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SEEKDD1_C(varid_in IN, comment_out OUT, audituser OUT, audittimestamp OUT, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKDD1_C', 1,
     'SELECT COMMENTS AS comment_out, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp FROM DATADD1_C WHERE VARID = :varid_in AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- WRITEDD1_C(datestamp_1 IN, varid_2 IN, comment_in IN, audituser IN, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDD1_C', 1,
     'DELETE FROM DATADD1_C WHERE VARID = :varid_2 AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDD1_C', 2,
     'DELETE FROM DATADD1_C WHERE VARID = :varid_2 AND DATESTAMP IN (:datestamp_1, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDD1_C', 3,
     'INSERT INTO DATADD1_C (VARID, DATESTAMP, COMMENTS, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid_2, :datestamp_1, substr(:comment_in,1,2000), substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- DELETEDD1_C(slotstarttime IN, varid_2 IN, slotendtime IN, audituser IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDD1_C', 1,
     'DELETE FROM DATADD1_C WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');

-- Interval code 5: table DATADD5
-- WRITEDD5(date IN, varid IN, value IN, textvalue IN, audituser IN, slotstarttime IN, slotendtime IN, status IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDD5', 1,
     'DELETE FROM DATADD5 WHERE VARID = :varid AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDD5', 2,
     'DELETE FROM DATADD5 WHERE VARID = :varid AND DATESTAMP IN (:date, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDD5', 3,
     'INSERT INTO DATADD5 (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, FORCED, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid, :date, :value, substr(:textvalue,1,255), :status, 0, substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- SEEKFDD5(datestamp_1 IN, varid_2 IN, curvalue_3 OUT, textvalue_4 OUT, varid_5 OUT, audituser OUT, audittimestamp OUT, datestamp_out OUT, slotstarttime IN, slotendtime IN, status OUT, forced OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKFDD5', 1,
     'SELECT CURVALUE AS curvalue_3, TEXTVALUE AS textvalue_4, VARID AS varid_5, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp, DATESTAMP AS datestamp_out, STATUS AS status, FORCED AS forced FROM DATADD5 WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- SEEKNEXTDD5(varid_in IN, slotstart_in IN, slotend_in IN, topnum_in IN, varid_out OUT, datestamp_out OUT, curvalue_out OUT, textvalue_out OUT, audituser_out OUT, audittimestamp_out OUT, status_out OUT, forced_out OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKNEXTDD5', 1,
     'SELECT VARID AS varid_out, DATESTAMP AS datestamp_out, CURVALUE AS curvalue_out, TEXTVALUE AS textvalue_out, AUDITUSER AS audituser_out, AUDITTIMESTAMP AS audittimestamp_out, STATUS AS status_out, FORCED AS forced_out FROM DATADD5 WHERE VARID = :varid_in AND DATESTAMP >= :slotstart_in AND DATESTAMP < :slotend_in ORDER BY DATESTAMP LIMIT 1 OFFSET max(coalesce(CAST(:topnum_in AS INTEGER), 1), 1) - 1');
-- DELETEDD5(slotstarttime IN, varid IN, audituser IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDD5', 1,
     'DELETE FROM DATADD5 WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SETFDD5(slotstarttime IN, slotendtime IN, varid IN, audituser IN, forced IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SETFDD5', 1,
     'UPDATE DATADD5 SET FORCED = :forced, AUDITUSER = substr(:audituser,1,50), AUDITTIMESTAMP = strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime'') WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SEEKDD5_C(varid_in IN, comment_out OUT, audituser OUT, audittimestamp OUT, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKDD5_C', 1,
     'SELECT COMMENTS AS comment_out, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp FROM DATADD5_C WHERE VARID = :varid_in AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- WRITEDD5_C(datestamp_1 IN, varid_2 IN, comment_in IN, audituser IN, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDD5_C', 1,
     'DELETE FROM DATADD5_C WHERE VARID = :varid_2 AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDD5_C', 2,
     'DELETE FROM DATADD5_C WHERE VARID = :varid_2 AND DATESTAMP IN (:datestamp_1, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDD5_C', 3,
     'INSERT INTO DATADD5_C (VARID, DATESTAMP, COMMENTS, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid_2, :datestamp_1, substr(:comment_in,1,2000), substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- DELETEDD5_C(slotstarttime IN, varid_2 IN, slotendtime IN, audituser IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDD5_C', 1,
     'DELETE FROM DATADD5_C WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');

-- Interval code 3: table DATADD3
-- WRITEDD3(date IN, varid IN, value IN, textvalue IN, audituser IN, slotstarttime IN, slotendtime IN, status IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDD3', 1,
     'DELETE FROM DATADD3 WHERE VARID = :varid AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDD3', 2,
     'DELETE FROM DATADD3 WHERE VARID = :varid AND DATESTAMP IN (:date, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDD3', 3,
     'INSERT INTO DATADD3 (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, FORCED, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid, :date, :value, substr(:textvalue,1,255), :status, 0, substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- SEEKFDD3(datestamp_1 IN, varid_2 IN, curvalue_3 OUT, textvalue_4 OUT, varid_5 OUT, audituser OUT, audittimestamp OUT, datestamp_out OUT, slotstarttime IN, slotendtime IN, status OUT, forced OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKFDD3', 1,
     'SELECT CURVALUE AS curvalue_3, TEXTVALUE AS textvalue_4, VARID AS varid_5, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp, DATESTAMP AS datestamp_out, STATUS AS status, FORCED AS forced FROM DATADD3 WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- SEEKNEXTDD3(varid_in IN, slotstart_in IN, slotend_in IN, topnum_in IN, varid_out OUT, datestamp_out OUT, curvalue_out OUT, textvalue_out OUT, audituser_out OUT, audittimestamp_out OUT, status_out OUT, forced_out OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKNEXTDD3', 1,
     'SELECT VARID AS varid_out, DATESTAMP AS datestamp_out, CURVALUE AS curvalue_out, TEXTVALUE AS textvalue_out, AUDITUSER AS audituser_out, AUDITTIMESTAMP AS audittimestamp_out, STATUS AS status_out, FORCED AS forced_out FROM DATADD3 WHERE VARID = :varid_in AND DATESTAMP >= :slotstart_in AND DATESTAMP < :slotend_in ORDER BY DATESTAMP LIMIT 1 OFFSET max(coalesce(CAST(:topnum_in AS INTEGER), 1), 1) - 1');
-- DELETEDD3(slotstarttime IN, varid IN, audituser IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDD3', 1,
     'DELETE FROM DATADD3 WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SETFDD3(slotstarttime IN, slotendtime IN, varid IN, audituser IN, forced IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SETFDD3', 1,
     'UPDATE DATADD3 SET FORCED = :forced, AUDITUSER = substr(:audituser,1,50), AUDITTIMESTAMP = strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime'') WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SEEKDD3_C(varid_in IN, comment_out OUT, audituser OUT, audittimestamp OUT, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKDD3_C', 1,
     'SELECT COMMENTS AS comment_out, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp FROM DATADD3_C WHERE VARID = :varid_in AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- WRITEDD3_C(datestamp_1 IN, varid_2 IN, comment_in IN, audituser IN, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDD3_C', 1,
     'DELETE FROM DATADD3_C WHERE VARID = :varid_2 AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDD3_C', 2,
     'DELETE FROM DATADD3_C WHERE VARID = :varid_2 AND DATESTAMP IN (:datestamp_1, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDD3_C', 3,
     'INSERT INTO DATADD3_C (VARID, DATESTAMP, COMMENTS, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid_2, :datestamp_1, substr(:comment_in,1,2000), substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- DELETEDD3_C(slotstarttime IN, varid_2 IN, slotendtime IN, audituser IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDD3_C', 1,
     'DELETE FROM DATADD3_C WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');

-- Interval code 4: table DATADD4
-- WRITEDD4(date IN, varid IN, value IN, textvalue IN, audituser IN, slotstarttime IN, slotendtime IN, status IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDD4', 1,
     'DELETE FROM DATADD4 WHERE VARID = :varid AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDD4', 2,
     'DELETE FROM DATADD4 WHERE VARID = :varid AND DATESTAMP IN (:date, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDD4', 3,
     'INSERT INTO DATADD4 (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, FORCED, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid, :date, :value, substr(:textvalue,1,255), :status, 0, substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- SEEKFDD4(datestamp_1 IN, varid_2 IN, curvalue_3 OUT, textvalue_4 OUT, varid_5 OUT, audituser OUT, audittimestamp OUT, datestamp_out OUT, slotstarttime IN, slotendtime IN, status OUT, forced OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKFDD4', 1,
     'SELECT CURVALUE AS curvalue_3, TEXTVALUE AS textvalue_4, VARID AS varid_5, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp, DATESTAMP AS datestamp_out, STATUS AS status, FORCED AS forced FROM DATADD4 WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- SEEKNEXTDD4(varid_in IN, slotstart_in IN, slotend_in IN, topnum_in IN, varid_out OUT, datestamp_out OUT, curvalue_out OUT, textvalue_out OUT, audituser_out OUT, audittimestamp_out OUT, status_out OUT, forced_out OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKNEXTDD4', 1,
     'SELECT VARID AS varid_out, DATESTAMP AS datestamp_out, CURVALUE AS curvalue_out, TEXTVALUE AS textvalue_out, AUDITUSER AS audituser_out, AUDITTIMESTAMP AS audittimestamp_out, STATUS AS status_out, FORCED AS forced_out FROM DATADD4 WHERE VARID = :varid_in AND DATESTAMP >= :slotstart_in AND DATESTAMP < :slotend_in ORDER BY DATESTAMP LIMIT 1 OFFSET max(coalesce(CAST(:topnum_in AS INTEGER), 1), 1) - 1');
-- DELETEDD4(slotstarttime IN, varid IN, audituser IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDD4', 1,
     'DELETE FROM DATADD4 WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SETFDD4(slotstarttime IN, slotendtime IN, varid IN, audituser IN, forced IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SETFDD4', 1,
     'UPDATE DATADD4 SET FORCED = :forced, AUDITUSER = substr(:audituser,1,50), AUDITTIMESTAMP = strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime'') WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SEEKDD4_C(varid_in IN, comment_out OUT, audituser OUT, audittimestamp OUT, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKDD4_C', 1,
     'SELECT COMMENTS AS comment_out, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp FROM DATADD4_C WHERE VARID = :varid_in AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- WRITEDD4_C(datestamp_1 IN, varid_2 IN, comment_in IN, audituser IN, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDD4_C', 1,
     'DELETE FROM DATADD4_C WHERE VARID = :varid_2 AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDD4_C', 2,
     'DELETE FROM DATADD4_C WHERE VARID = :varid_2 AND DATESTAMP IN (:datestamp_1, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDD4_C', 3,
     'INSERT INTO DATADD4_C (VARID, DATESTAMP, COMMENTS, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid_2, :datestamp_1, substr(:comment_in,1,2000), substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- DELETEDD4_C(slotstarttime IN, varid_2 IN, slotendtime IN, audituser IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDD4_C', 1,
     'DELETE FROM DATADD4_C WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');

-- Interval code X: table DATADDX
-- WRITEDDX(date IN, varid IN, value IN, textvalue IN, audituser IN, slotstarttime IN, slotendtime IN, status IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDDX', 1,
     'DELETE FROM DATADDX WHERE VARID = :varid AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDDX', 2,
     'DELETE FROM DATADDX WHERE VARID = :varid AND DATESTAMP IN (:date, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDDX', 3,
     'INSERT INTO DATADDX (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, FORCED, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid, :date, :value, substr(:textvalue,1,255), :status, 0, substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- SEEKFDDX(datestamp_1 IN, varid_2 IN, curvalue_3 OUT, textvalue_4 OUT, varid_5 OUT, audituser OUT, audittimestamp OUT, datestamp_out OUT, slotstarttime IN, slotendtime IN, status OUT, forced OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKFDDX', 1,
     'SELECT CURVALUE AS curvalue_3, TEXTVALUE AS textvalue_4, VARID AS varid_5, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp, DATESTAMP AS datestamp_out, STATUS AS status, FORCED AS forced FROM DATADDX WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- SEEKNEXTDDX(varid_in IN, slotstart_in IN, slotend_in IN, topnum_in IN, varid_out OUT, datestamp_out OUT, curvalue_out OUT, textvalue_out OUT, audituser_out OUT, audittimestamp_out OUT, status_out OUT, forced_out OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKNEXTDDX', 1,
     'SELECT VARID AS varid_out, DATESTAMP AS datestamp_out, CURVALUE AS curvalue_out, TEXTVALUE AS textvalue_out, AUDITUSER AS audituser_out, AUDITTIMESTAMP AS audittimestamp_out, STATUS AS status_out, FORCED AS forced_out FROM DATADDX WHERE VARID = :varid_in AND DATESTAMP >= :slotstart_in AND DATESTAMP < :slotend_in ORDER BY DATESTAMP LIMIT 1 OFFSET max(coalesce(CAST(:topnum_in AS INTEGER), 1), 1) - 1');
-- DELETEDDX(slotstarttime IN, varid IN, audituser IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDDX', 1,
     'DELETE FROM DATADDX WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SETFDDX(slotstarttime IN, slotendtime IN, varid IN, audituser IN, forced IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SETFDDX', 1,
     'UPDATE DATADDX SET FORCED = :forced, AUDITUSER = substr(:audituser,1,50), AUDITTIMESTAMP = strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime'') WHERE VARID = :varid AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');
-- SEEKDDX_C(varid_in IN, comment_out OUT, audituser OUT, audittimestamp OUT, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKDDX_C', 1,
     'SELECT COMMENTS AS comment_out, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp FROM DATADDX_C WHERE VARID = :varid_in AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime)) ORDER BY DATESTAMP LIMIT 1');
-- WRITEDDX_C(datestamp_1 IN, varid_2 IN, comment_in IN, audituser IN, slotstarttime IN, slotendtime IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDDX_C', 1,
     'DELETE FROM DATADDX_C WHERE VARID = :varid_2 AND DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime'),
    ('WRITEDDX_C', 2,
     'DELETE FROM DATADDX_C WHERE VARID = :varid_2 AND DATESTAMP IN (:datestamp_1, CASE WHEN :slotstarttime = :slotendtime THEN :slotstarttime END)'),
    ('WRITEDDX_C', 3,
     'INSERT INTO DATADDX_C (VARID, DATESTAMP, COMMENTS, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid_2, :datestamp_1, substr(:comment_in,1,2000), substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- DELETEDDX_C(slotstarttime IN, varid_2 IN, slotendtime IN, audituser IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDDX_C', 1,
     'DELETE FROM DATADDX_C WHERE VARID = :varid_2 AND ((DATESTAMP >= :slotstarttime AND DATESTAMP < :slotendtime) OR (DATESTAMP = :slotstarttime AND :slotstarttime = :slotendtime))');

-- Daily values and comments: DATATBL, DATATBL_C
-- Daily values and comments are addressed by the calendar day of the given
-- date and stored at midnight of that day.
-- SEEKDDATEVARID(datestamp_1 IN, varid_2 IN, curvalue_3 OUT, textvalue_4 OUT, varid_5 OUT, audituser OUT, audittimestamp OUT, forced OUT, status OUT)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SEEKDDATEVARID', 1,
     'SELECT CURVALUE AS curvalue_3, TEXTVALUE AS textvalue_4, VARID AS varid_5, AUDITUSER AS audituser, AUDITTIMESTAMP AS audittimestamp, FORCED AS forced, STATUS AS status FROM DATATBL WHERE VARID = :varid_2 AND DATESTAMP >= substr(:datestamp_1,1,10) || '' 00:00:00'' AND DATESTAMP < date(substr(:datestamp_1,1,10), ''+1 day'') || '' 00:00:00'' ORDER BY DATESTAMP LIMIT 1');
-- DELETEDTBL(date IN, varid IN, audituser IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETEDTBL', 1,
     'DELETE FROM DATATBL WHERE VARID = :varid AND DATESTAMP >= substr(:date,1,10) || '' 00:00:00'' AND DATESTAMP < date(substr(:date,1,10), ''+1 day'') || '' 00:00:00''');
-- WRITEDTBL(date IN, varid IN, value IN, textvalue IN, audituser IN, status IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITEDTBL', 1,
     'DELETE FROM DATATBL WHERE VARID = :varid AND DATESTAMP >= substr(:date,1,10) || '' 00:00:00'' AND DATESTAMP < date(substr(:date,1,10), ''+1 day'') || '' 00:00:00'''),
    ('WRITEDTBL', 2,
     'INSERT INTO DATATBL (VARID, DATESTAMP, CURVALUE, TEXTVALUE, STATUS, FORCED, AUDITUSER, AUDITTIMESTAMP) VALUES (:varid, substr(:date,1,10) || '' 00:00:00'', :value, substr(:textvalue,1,255), :status, 0, substr(:audituser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
-- SETFORCED(date IN, varid IN, audituser IN, forced IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('SETFORCED', 1,
     'UPDATE DATATBL SET FORCED = :forced, AUDITUSER = substr(:audituser,1,50), AUDITTIMESTAMP = strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime'') WHERE VARID = :varid AND DATESTAMP >= substr(:date,1,10) || '' 00:00:00'' AND DATESTAMP < date(substr(:date,1,10), ''+1 day'') || '' 00:00:00''');
-- DELETECMTS(date IN, varId IN, audituser IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('DELETECMTS', 1,
     'DELETE FROM DATATBL_C WHERE VARID = :varId AND DATESTAMP >= substr(:date,1,10) || '' 00:00:00'' AND DATESTAMP < date(substr(:date,1,10), ''+1 day'') || '' 00:00:00''');
-- WRITETBL_C(date IN, varId IN, comment_in IN, audittuser IN)
INSERT INTO qel_procedures (name, step, body) VALUES
    ('WRITETBL_C', 1,
     'DELETE FROM DATATBL_C WHERE VARID = :varId AND DATESTAMP >= substr(:date,1,10) || '' 00:00:00'' AND DATESTAMP < date(substr(:date,1,10), ''+1 day'') || '' 00:00:00'''),
    ('WRITETBL_C', 2,
     'INSERT INTO DATATBL_C (VARID, DATESTAMP, COMMENTS, AUDITUSER, AUDITTIMESTAMP) VALUES (:varId, substr(:date,1,10) || '' 00:00:00'', substr(:comment_in,1,2000), substr(:audittuser,1,50), strftime(''%Y-%m-%d %H:%M:%S'',''now'',''localtime''))');
