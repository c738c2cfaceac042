/* a comment /* nested */ still a comment */
CREATE TABLE [order details] ( -- GO here is a comment
    [order id] int NOT NULL, "it's" char(2) NOT NULL,
    go int NOT NULL, [a]]b] varchar(10) NULL DEFAULT 'GO'
)
  GO  
CREATE INDEX ix ON "order details" ([a]]b])
CREATE TABLE t2 (a int) GO
GO
