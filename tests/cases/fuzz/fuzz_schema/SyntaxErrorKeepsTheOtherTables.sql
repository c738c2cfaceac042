CREATE TABLE first (a int)
GO
CREATE TABLE broken (
    a int NOT NULL
    b int NOT NULL
)
GO
CREATE TABLE last (a int)
GO
