EXEC sp_addtype code, 'char(4)', 'NULL'
EXEC sp_addtype ident, 'int', 'NOT NULL'
GO
CREATE TABLE u (a ident, b code, c code NOT NULL, CONSTRAINT pk PRIMARY KEY (a, c))
CREATE INDEX ib ON u (b)
