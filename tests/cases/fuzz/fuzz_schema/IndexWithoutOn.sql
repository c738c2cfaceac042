CREATE TABLE t (a int)
CREATE INDEX ix t (a)
