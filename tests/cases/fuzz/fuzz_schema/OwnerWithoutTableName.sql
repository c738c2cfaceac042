CREATE TABLE dbo. (a int)
