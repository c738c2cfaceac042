CREATE TABLE t (a int, timestamp)
CREATE TABLE u (timestamp timestamp NULL)
