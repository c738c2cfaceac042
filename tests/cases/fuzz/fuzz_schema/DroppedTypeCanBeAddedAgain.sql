EXEC sp_addtype code, 'char(4)', 'NOT NULL'
GO
if exists (select * from systypes where name = 'code')
    EXEC sp_droptype code
GO
EXEC sp_addtype code, 'char(8)', 'NOT NULL'
EXEC sp_droptype @typename = 'nothing'
GO
CREATE TABLE t (c code)
GO
