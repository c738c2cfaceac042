CREATE TABLE t (a int abcdefghijklmnopqrstuvwxyz0123456789)
