/*
 * Stock database, part 3 of 3: keys and indexes of the tables in tables.sql.
 */
USE stock
GO

ALTER TABLE warehouses ADD CONSTRAINT pk_warehouses PRIMARY KEY CLUSTERED (wh_id)
GO

ALTER TABLE items ADD CONSTRAINT pk_items PRIMARY KEY NONCLUSTERED (item)
GO
-- items are listed by description: cluster on it
CREATE CLUSTERED INDEX cx_items_description ON items (description)
GO

CREATE INDEX ix_stock_wh ON stock (wh_id) WITH FILLFACTOR = 100
GO

ALTER TABLE movements
    ADD CONSTRAINT pk_movements PRIMARY KEY CLUSTERED (movement_id) WITH FILLFACTOR = 100
GO
CREATE NONCLUSTERED INDEX ix_movements_item ON movements (item, moved)
CREATE INDEX ix_movements_reason ON movements (reason)
GO

ALTER TABLE stock ADD CONSTRAINT fk_stock_items FOREIGN KEY (item) REFERENCES items (item)
ALTER TABLE stock ADD CONSTRAINT fk_stock_warehouses FOREIGN KEY (wh_id) REFERENCES warehouses (wh_id)
GO
