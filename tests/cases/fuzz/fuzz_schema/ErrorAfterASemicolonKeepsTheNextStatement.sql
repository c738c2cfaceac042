CREATE TABLE a (x) ; CREATE TABLE b (y int)
