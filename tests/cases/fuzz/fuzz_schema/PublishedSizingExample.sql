-- 9,000,000 rows: 100 bytes of fixed columns, two variable columns of 50 bytes in all
CREATE TABLE dbo.orders (
    order_id int NOT NULL CONSTRAINT pk_orders PRIMARY KEY CLUSTERED,
    customer char(25) NOT NULL,
    placed datetime NOT NULL,
    region char(4) NOT NULL,
    amount money NOT NULL,
    status char(51) NOT NULL,
    ship_to varchar(30) NOT NULL,
    note varchar(20) NOT NULL
)
GO
CREATE INDEX ix_orders_customer ON orders (customer, region)
GO
