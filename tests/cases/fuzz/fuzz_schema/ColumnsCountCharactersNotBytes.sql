CREATE TABLE 注文 (番号 int NOT NULL, 品名 varchar(20) NULL {)
CREATE TABLE [明細] (x int)
