CREATE TABLE [dbo].[parts] (
    part_no char(8) NOT NULL,
    "maker" int NOT NULL CONSTRAINT uq_maker UNIQUE,
    serial int NULL UNIQUE CLUSTERED WITH FILLFACTOR = 70,
    price money NOT NULL DEFAULT (0) CHECK (price >= 0),
    kind tinyint NOT NULL CONSTRAINT fk_kind REFERENCES kinds (kind_id),
    CONSTRAINT pk_parts PRIMARY KEY NONCLUSTERED (part_no, kind) WITH FILLFACTOR = 90 ON seg1,
    FOREIGN KEY (maker) REFERENCES makers (maker_id),
    CONSTRAINT ck_serial CHECK NOT FOR REPLICATION (serial > 0),
    CONSTRAINT df_kind DEFAULT -(1 + 2) * 3 FOR kind,
) ON seg2
GO
CREATE UNIQUE NONCLUSTERED INDEX ix_price ON shop..parts (price DESC) WITH IGNORE_DUP_KEY, FILLFACTOR=100, SORTED_DATA ON seg3
GO
