CREATE TABLE t a int)
