create Table T (A INT not NULL, b VarChar(10) Null, constraint PK primary key Clustered (a))
go
Create Index IX on t (B) with FillFactor = 50
