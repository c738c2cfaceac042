CREATE TABLE t (a int NOT NULL)
GO
SELECT a, a AS b INTO t_copy FROM t
SELECT * INTO #work FROM t
SELECT a FROM t WHERE a IN (SELECT a FROM t)
EXECUTE ('CREATE TABLE ' + 'x (a int)')
EXEC ('DBCC CHECKDB')
EXEC sp_rename 't', 't_old'
GO
