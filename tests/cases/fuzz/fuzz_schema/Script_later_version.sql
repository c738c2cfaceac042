-- Written for SQL Server 7.0 and later: none of these tables can be created on 6.x.
CREATE TABLE customers_u (
    cust_no     int             NOT NULL,
    name        nvarchar(40)    NOT NULL
)
GO
CREATE TABLE order_items (
    qty         int             NOT NULL,
    price       money           NOT NULL,
    total AS price * qty
)
GO
CREATE TABLE notes (
    note_id     int             NOT NULL,
    body        varchar(200)    COLLATE Japanese_CI_AS NULL
)
GO
CREATE TABLE documents (
    doc_id      int             NOT NULL,
    content     text            NULL
) ON [PRIMARY] TEXTIMAGE_ON [PRIMARY]
GO
CREATE TABLE plain (
    a           int             NOT NULL
)
GO
