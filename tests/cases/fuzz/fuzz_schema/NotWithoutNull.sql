CREATE TABLE t (a int NOT, b int)
