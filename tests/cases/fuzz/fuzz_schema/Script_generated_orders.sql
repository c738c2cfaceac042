/****** Object:  Stored Procedure dbo.order_total    Script Date: 98/04/01 10:15:32 ******/
if exists (select * from sysobjects where id = object_id('dbo.order_total') and sysstat & 0xf = 4)
	drop procedure dbo.order_total
GO

/****** Object:  View dbo.open_orders    Script Date: 98/04/01 10:15:32 ******/
if exists (select * from sysobjects where id = object_id('dbo.open_orders') and sysstat & 0xf = 2)
	drop view dbo.open_orders
GO

/****** Object:  Table dbo.order_lines    Script Date: 98/04/01 10:15:32 ******/
if exists (select * from sysobjects where id = object_id('dbo.order_lines') and sysstat & 0xf = 3)
	drop table dbo.order_lines
GO

/****** Object:  Table dbo.orders    Script Date: 98/04/01 10:15:32 ******/
if exists (select * from sysobjects where id = object_id('dbo.orders') and sysstat & 0xf = 3)
	drop table dbo.orders
GO

/****** Object:  Table dbo.customers    Script Date: 98/04/01 10:15:32 ******/
if exists (select * from sysobjects where id = object_id('dbo.customers') and sysstat & 0xf = 3)
	drop table dbo.customers
GO

/****** Object:  User Datatype dbo.cust_code    Script Date: 98/04/01 10:15:32 ******/
if exists (select * from systypes where name = 'cust_code')
	EXEC sp_droptype cust_code
GO

/****** Object:  User Datatype dbo.memo_text    Script Date: 98/04/01 10:15:32 ******/
if exists (select * from systypes where name = 'memo_text')
	EXEC sp_droptype memo_text
GO

SET QUOTED_IDENTIFIER ON
GO

/****** Object:  User Datatype dbo.cust_code    Script Date: 98/04/01 10:15:32 ******/
setuser 'dbo'
GO

EXEC sp_addtype cust_code, 'char (8)', 'not null'
GO

setuser
GO

/****** Object:  User Datatype dbo.memo_text    Script Date: 98/04/01 10:15:32 ******/
setuser 'dbo'
GO

EXEC sp_addtype memo_text, 'varchar (200)', 'null'
GO

setuser
GO

/****** Object:  Table dbo.customers    Script Date: 98/04/01 10:15:32 ******/
CREATE TABLE dbo.customers (
	cust_no cust_code ,
	name varchar (40) NOT NULL ,
	kana varchar (40) NULL ,
	phone char (12) NULL ,
	credit_limit money NOT NULL ,
	created datetime NOT NULL 
) ON [default]
GO

/****** Object:  Table dbo.orders    Script Date: 98/04/01 10:15:32 ******/
CREATE TABLE dbo.orders (
	order_no int NOT NULL ,
	cust_no cust_code ,
	order_date datetime NOT NULL ,
	ship_date smalldatetime NULL ,
	status tinyint NOT NULL ,
	amount money NOT NULL ,
	note memo_text 
) ON seg1
GO

/****** Object:  Table dbo.order_lines    Script Date: 98/04/01 10:15:32 ******/
CREATE TABLE dbo.order_lines (
	order_no int NOT NULL ,
	line_no smallint NOT NULL ,
	item_code char (10) NOT NULL ,
	qty int NOT NULL ,
	price money NOT NULL ,
	remarks text NULL 
) ON [default]
GO

ALTER TABLE dbo.customers WITH NOCHECK ADD 
	CONSTRAINT PK_customers PRIMARY KEY  CLUSTERED 
	(
		cust_no
	)  ON [default] 
GO

ALTER TABLE dbo.orders WITH NOCHECK ADD 
	CONSTRAINT PK_orders PRIMARY KEY  CLUSTERED 
	(
		order_no
	) WITH  FILLFACTOR = 90  ON seg1 
GO

ALTER TABLE dbo.orders WITH NOCHECK ADD 
	CONSTRAINT UQ_orders_cust_date UNIQUE  NONCLUSTERED 
	(
		cust_no,
		order_date
	)  ON seg1 
GO

ALTER TABLE dbo.order_lines WITH NOCHECK ADD 
	CONSTRAINT PK_order_lines PRIMARY KEY  NONCLUSTERED 
	(
		order_no,
		line_no
	) WITH  FILLFACTOR = 80  ON [default] 
GO

ALTER TABLE dbo.order_lines WITH NOCHECK ADD 
	CONSTRAINT DF_order_lines_qty DEFAULT (1) FOR qty
GO

 CREATE  INDEX ix_orders_status ON dbo.orders(status) WITH  FILLFACTOR = 70 ON seg1
GO

 CREATE  CLUSTERED  INDEX ix_order_lines_item ON dbo.order_lines(item_code) ON [default]
GO

ALTER TABLE dbo.orders ADD 
	CONSTRAINT FK_orders_customers FOREIGN KEY 
	(
		cust_no
	) REFERENCES dbo.customers (
		cust_no
	)
GO

ALTER TABLE dbo.order_lines ADD 
	CONSTRAINT FK_order_lines_orders FOREIGN KEY 
	(
		order_no
	) REFERENCES dbo.orders (
		order_no
	)
GO

SET QUOTED_IDENTIFIER OFF
GO

/****** Object:  View dbo.open_orders    Script Date: 98/04/01 10:15:32 ******/
CREATE VIEW dbo.open_orders
AS
/* orders not yet shipped */
SELECT o.order_no, o.cust_no, c.name, o.order_date, o.amount
FROM orders o, customers c
WHERE o.cust_no = c.cust_no AND o.ship_date IS NULL
GO

/****** Object:  Stored Procedure dbo.order_total    Script Date: 98/04/01 10:15:32 ******/
CREATE PROCEDURE dbo.order_total @order_no int
AS
-- the total of one order, from its lines
SELECT SUM(qty * price) FROM order_lines WHERE order_no = @order_no
GO

GRANT  SELECT  ON dbo.open_orders  TO public
GO

GRANT  EXECUTE  ON dbo.order_total  TO public
GO

GRANT  SELECT ,  INSERT ,  UPDATE  ON dbo.orders  TO clerks
GO

