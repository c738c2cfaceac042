/* The orders table.
   Run the load after it:
GO
*/
CREATE TABLE t (a int NOT NULL)
GO
