CREATE TABLE customers (
    customer_id int NOT NULL,
    name varchar(40) NOT NULL,
    email varchar(60) NULL,
    CONSTRAINT pk_customers PRIMARY KEY CLUSTERED (customer_id)
)
GO
CREATE TABLE orders (
    order_id int NOT NULL PRIMARY KEY,
    customer_id int NOT NULL,
    placed datetime NOT NULL,
    notes text NULL
)
GO
CREATE NONCLUSTERED INDEX ix_orders_customer ON orders (customer_id) WITH FILLFACTOR = 80
GO
CREATE TABLE items (
    order_id int NOT NULL,
    line smallint NOT NULL,
    product char(12) NOT NULL,
    quantity int NOT NULL,
    price money NOT NULL,
    CONSTRAINT pk_items PRIMARY KEY (order_id, line)
)
GO
