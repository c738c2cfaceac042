CREATE TABLE t (a int, UNIQUE (b), b int)
