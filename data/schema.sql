-- An empty Orvella database: the three tables, their columns in the order the program reads them.
-- SrNo is each table's key, so a record number is never stored twice.
CREATE TABLE GMaster (
    SrNo  INTEGER PRIMARY KEY,
    GName TEXT COLLATE NOCASE,
    GType TEXT NOT NULL CHECK (GType IN ('1', '2'))
);

CREATE TABLE Income (
    SrNo           INTEGER PRIMARY KEY,
    IncDate        DATE CHECK (IncDate IS NULL OR date(IncDate) IS IncDate),
    IncSource      TEXT,
    IncAmount      REAL CHECK (IncAmount >= 0),
    IncDescription TEXT
);

CREATE TABLE Expenses (
    SrNo           INTEGER PRIMARY KEY,
    ExpDate        DATE CHECK (ExpDate IS NULL OR date(ExpDate) IS ExpDate),
    ExpCategory    TEXT,
    ExpAmount      REAL CHECK (ExpAmount >= 0),
    ExpDescription TEXT
);
