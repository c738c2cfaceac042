CREATE TABLE t (a, b int)
