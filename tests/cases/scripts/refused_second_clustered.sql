-- The primary key is clustered by default, so the table has its clustered index already.
CREATE TABLE accounts (
    account_no  char(12)    NOT NULL CONSTRAINT PK_accounts PRIMARY KEY,
    opened      datetime    NOT NULL,
    branch      smallint    NOT NULL
)
GO
ALTER TABLE accounts WITH NOCHECK ADD
    CONSTRAINT UQ_accounts_branch UNIQUE CLUSTERED (branch, account_no)
GO
CREATE TABLE branches (
    branch      smallint    NOT NULL PRIMARY KEY,
    name        varchar(30) NOT NULL
)
GO
