CREATE TABLE t (a int NOT NULL CONSTRAINT pk PRIMARY KEY, b int NOT NULL, c int NOT NULL)
CREATE INDEX ix_b ON t (b)
CREATE INDEX ix_c ON t (c)
GO
if exists (select * from sysindexes where name = 'ix_b')
    DROP INDEX t.ix_b
DROP INDEX dbo.t.IX_C, nowhere.ix, t.no_index
DROP INDEX t.pk
GO
