CREATE TABLE t (a int NOT NULL PRIMARY KEY NONCLUSTERED, b int NOT NULL)
ALTER TABLE t ADD CONSTRAINT pk2 PRIMARY KEY NONCLUSTERED (b)
GO
CREATE TABLE k16 (c1 tinyint NOT NULL, c2 tinyint NOT NULL, c3 tinyint NOT NULL, c4 tinyint NOT NULL, c5 tinyint NOT NULL, c6 tinyint NOT NULL, c7 tinyint NOT NULL, c8 tinyint NOT NULL, c9 tinyint NOT NULL, c10 tinyint NOT NULL, c11 tinyint NOT NULL, c12 tinyint NOT NULL, c13 tinyint NOT NULL, c14 tinyint NOT NULL, c15 tinyint NOT NULL, c16 tinyint NOT NULL, c17 tinyint NOT NULL)
ALTER TABLE k16 ADD PRIMARY KEY (c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15, c16)
GO
CREATE TABLE k17 (c1 tinyint NOT NULL, c2 tinyint NOT NULL, c3 tinyint NOT NULL, c4 tinyint NOT NULL, c5 tinyint NOT NULL, c6 tinyint NOT NULL, c7 tinyint NOT NULL, c8 tinyint NOT NULL, c9 tinyint NOT NULL, c10 tinyint NOT NULL, c11 tinyint NOT NULL, c12 tinyint NOT NULL, c13 tinyint NOT NULL, c14 tinyint NOT NULL, c15 tinyint NOT NULL, c16 tinyint NOT NULL, c17 tinyint NOT NULL)
ALTER TABLE k17 ADD PRIMARY KEY (c1, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12, c13, c14, c15, c16, c17)
GO
CREATE TABLE tx (a int NOT NULL, notes text NULL)
ALTER TABLE tx ADD UNIQUE (notes)
GO
