CREATE TABLE t (a int [b c])
CREATE TABLE u (a int "b")
CREATE TABLE v (a int 'b')
