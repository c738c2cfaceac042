CREATE TABLE t (a int, b int, UNIQUE (a b))
