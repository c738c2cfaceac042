if not exists (select * from sysobjects where name = 'g') create table g (a int NOT NULL)
IF OBJECT_ID('h') IS NULL CREATE TABLE h (a smallint NOT NULL)
GO
IF (SELECT COUNT(*) FROM sysobjects WHERE name = 'k') = 0
BEGIN
    CREATE TABLE k (a tinyint NOT NULL)
END
ELSE
    PRINT 'k is there'
GO
