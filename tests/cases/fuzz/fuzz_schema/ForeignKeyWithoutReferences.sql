CREATE TABLE t (a int, FOREIGN KEY (a) kinds (k))
