CREATE TABLE t (a int, [b int)
CREATE TABLE u (a int)
GO
CREATE TABLE v (a int)
