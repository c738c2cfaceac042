CREATE TABEL t (a int)
CREATE TABLE u (a int)
