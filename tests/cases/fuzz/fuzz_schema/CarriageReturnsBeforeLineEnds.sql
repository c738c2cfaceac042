CREATE TABLE t (
a int
b int)
GO
CREATE TABLE u (a int)
