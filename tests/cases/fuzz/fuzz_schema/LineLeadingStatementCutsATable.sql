CREATE TABLE t (a int,
INSERT t VALUES (1)
CREATE TABLE u (a int, insert int, go int)
