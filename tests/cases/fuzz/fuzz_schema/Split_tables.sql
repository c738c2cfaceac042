/*
 * Stock database, part 2 of 3: the tables, without their keys (indexes.sql).
 */
USE stock
GO

CREATE TABLE warehouses (
    wh_id       smallint    NOT NULL,
    name        varchar(30) NOT NULL,
    region      char(2)     NOT NULL
)
GO

CREATE TABLE items (
    item        item_code,
    description varchar(60) NOT NULL,
    unit        char(4)     NOT NULL,
    weight      decimal(9,3) NULL,      -- kg, unknown for services
    note        note_type
)
GO

CREATE TABLE stock (
    item        item_code,
    wh_id       smallint    NOT NULL,
    on_hand     qty_type,
    reserved    qty_type,
    counted     datetime    NULL,       -- last stocktaking
    CONSTRAINT pk_stock PRIMARY KEY CLUSTERED (item, wh_id) WITH FILLFACTOR = 85
)
GO

CREATE TABLE movements (
    movement_id int IDENTITY(1,1),
    item        item_code,
    wh_id       smallint    NOT NULL,
    moved       datetime    NOT NULL,
    quantity    qty_type,
    reason      note_type
)
GO
