/*
 * Stock database, part 1 of 3: the user types.
 * Run types.sql, tables.sql and indexes.sql in this order.
 */
USE stock
GO

EXEC sp_addtype item_code, 'char(10)', 'NOT NULL'
EXEC sp_addtype qty_type, int, 'NOT NULL'
EXEC sp_addtype note_type, 'varchar(100)', 'NULL'
GO
