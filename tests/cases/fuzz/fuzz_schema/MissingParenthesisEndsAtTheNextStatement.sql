CREATE TABLE a (x int,
GO
CREATE TABLE b (x int
CREATE TABLE c (x int)
