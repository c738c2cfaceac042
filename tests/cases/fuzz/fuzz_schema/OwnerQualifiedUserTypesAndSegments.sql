EXEC sp_addtype bCompany, 'tinyint', 'NOT NULL'
EXEC sp_addtype date, 'smalldatetime', 'NULL'
GO
CREATE TABLE [dbo].[bTable] (co [dbo].[bCompany], d dbo.date, e date) ON [default]
CREATE CLUSTERED INDEX cx ON bTable (co) ON seg2
GO
