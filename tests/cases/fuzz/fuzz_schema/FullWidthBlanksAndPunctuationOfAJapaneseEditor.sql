CREATE TABLE 受注　(番号　int NOT NULL, 備考 varchar(10) NULL)
CREATE TABLE 明細 (番号 int NOT NULL，数量 int NOT NULL)
CREATE TABLE ＡＢＣ＿表 (ｺｰﾄﾞ char(4) NOT NULL)
GO
