-- The catalogue of table-report templates, the template bodies kept in the
-- database, and the stored margins of the banded reports. All ship empty:
-- the first-run set-up writes the first catalogue rows.
--
-- Sizes chosen here (none given elsewhere; VARCHAR sizes count code page 936
-- bytes):
--   SYS_PRINT_NAME_TABLE.EDIT_NAME 20  (as every other audit name)
--   SYS_PRINT_TABLE.PRINT_NAME     40  (a report component's name, e.g. "RepUser")

CREATE TABLE SYS_PRINT_NAME_TABLE (
    PRINT_INDEX VARCHAR(80)  COLLATE CP936,
    PRINT_NAME  VARCHAR(180) COLLATE CP936,
    PRINT_TYPE  VARCHAR(2)   COLLATE CP936,
    PRINT_ID    VARCHAR(26)  COLLATE CP936,
    EDIT_NAME   VARCHAR(20)  COLLATE CP936,
    EDIT_DATE   DATE,
    PRIMARY KEY (PRINT_INDEX, PRINT_ID)
);

-- Template bodies are looked up by their id alone, which is unique.
CREATE INDEX SYS_PRINT_NAME_TABLE_PRINT_ID ON SYS_PRINT_NAME_TABLE (PRINT_ID);

CREATE TABLE SYS_PRINT_DATA_TABLE (
    PRINT_ID    VARCHAR(26) COLLATE CP936,
    PRINT_TABLE BLOB,
    PRIMARY KEY (PRINT_ID)
);

-- BUTTOM_MARGIN is spelled as the program writes it.
CREATE TABLE SYS_PRINT_TABLE (
    PRINT_NAME    VARCHAR(40) COLLATE CP936,
    TOP_MARGIN    REAL,
    BUTTOM_MARGIN REAL,
    LEFT_MARGIN   REAL,
    RIGHT_MARGIN  REAL,
    PRIMARY KEY (PRINT_NAME)
);
