CREATE TABLE t (a int CHECK a > 0)
