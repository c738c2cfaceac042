CREATE TABLE t (a int NOT NULL, b char(4) )
CREATE TABLE u (a int {b})
CREATE TABLE v (a varchar(x))
CREATE TABLE w (a int DEFAULT)
CREATE
