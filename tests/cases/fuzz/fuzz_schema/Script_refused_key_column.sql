-- The key names invoice_id; the column is invoice_no.
CREATE TABLE invoices (
    invoice_no  int         NOT NULL,
    issued      datetime    NOT NULL,
    total       money       NOT NULL
)
GO
ALTER TABLE invoices ADD CONSTRAINT PK_invoices PRIMARY KEY CLUSTERED (invoice_id)
GO
CREATE TABLE payments (
    payment_no  int         NOT NULL,
    invoice_no  int         NOT NULL,
    paid        money       NOT NULL
)
GO
