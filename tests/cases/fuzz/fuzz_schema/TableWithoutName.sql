CREATE TABLE (a int)
CREATE TABLE t (a int)
