CREATE TABLE k (
    id int NOT NULL CONSTRAINT pk_k PRIMARY KEY NONCLUSTERED WITH FILLFACTOR = 90,
    code char(6) NOT NULL UNIQUE CLUSTERED,
    note varchar(30) NULL,
    ref smallint NULL,
    CONSTRAINT uq_k UNIQUE (ref, note)
)
CREATE INDEX ix_k ON k (note, code) WITH FILLFACTOR = 40
