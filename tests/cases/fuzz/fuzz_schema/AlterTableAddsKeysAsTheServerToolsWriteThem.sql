CREATE TABLE dbo.orders (order_no int NOT NULL, cust char(8) NOT NULL, placed datetime NOT NULL, status tinyint NOT NULL) ON seg1
GO
ALTER TABLE dbo.orders WITH NOCHECK ADD 
	CONSTRAINT PK_orders PRIMARY KEY  CLUSTERED 
	(
		order_no
	) WITH  FILLFACTOR = 90  ON seg1 
GO
ALTER TABLE orders ADD CONSTRAINT UQ_orders UNIQUE (cust, placed) WITH FILLFACTOR = 80, UNIQUE NONCLUSTERED (status)
    CONSTRAINT UQ_status_cust UNIQUE (status, cust) ON [default]
GO
