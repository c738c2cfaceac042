CREATE TABLE shop.dbo.t (a int)
CREATE TABLE [shop].."u" (a int)
CREATE INDEX ix ON shop.dbo.u (a)
