if exists (select * from sysobjects where id = object_id('dbo.t') and sysstat & 0xf = 3)
	drop table dbo.t
GO
CREATE TABLE dbo.t (a int NOT NULL)
CREATE TABLE u (a int NOT NULL)
CREATE TABLE gone (a int NOT NULL)
GO
DROP TABLE t, dbo.GONE
GO
CREATE TABLE t (a char(10) NOT NULL)
CREATE INDEX ix ON t (a)
GO
