EXEC sp_addtype zip, 'char(5)', 'NOT NULL'
EXECUTE dbo.sp_addtype @typename = phone, @nulltype = 'NULL', @phystype = 'varchar(20)'
exec sp_addtype flag, bit
GO
sp_addtype 'amount', "decimal(12, 2)", "NOT   NULL"
GO
CREATE TABLE contacts (zip zip, phone phone, flag flag, amount amount NULL, other phone NOT NULL)
GO
