EXEC sp_addtype zip, 'char(5)'
EXEC sp_addtype zip, 'char(9)'
EXEC sp_addtype int, 'smallint'
EXEC sp_addtype big, 'nchar(5)'
EXEC sp_addtype odd, 'char(5', 'NULL'
EXEC sp_addtype few
EXEC sp_addtype wrong, 'int', 'MAYBE'
EXEC sp_addtype @size = 5
GO
CREATE TABLE t (a zip(5))
GO
