CREATE TABLE a (x char(3) DEFAULT 'abc, y int)
GO
CREATE TABLE b (x int)
GO
CREATE TABLE c (x int /* no end
