-- ============================================================
-- 受注管理データベース　テーブル定義
-- 作成：システム部　山田　　1998/04/01
-- 注意：ページ数の見積もりはサイズ計算ツールで行うこと
-- ============================================================

/* 顧客マスタ：得意先1社に1行 */
CREATE TABLE 顧客マスタ (
    顧客コード      char(8)         NOT NULL,   -- 営業部の採番による
    顧客名          varchar(40)     NOT NULL,
    顧客名カナ      varchar(40)     NULL,
    郵便番号        char(8)         NULL,
    住所            varchar(100)    NULL,
    電話番号        char(13)        NULL,
    与信限度額      money           NOT NULL,
    登録日          datetime        NOT NULL,
    CONSTRAINT PK_顧客マスタ PRIMARY KEY CLUSTERED (顧客コード)
)
GO

/* 受注票：注文1件に1行。予定納期は未定ならNULL */
CREATE TABLE 受注票 (
    受注番号        int             NOT NULL,
    顧客コード      char(8)         NOT NULL,
    受注日          datetime        NOT NULL,
    予定納期        smalldatetime   NULL,
    担当者コード    char(6)         NOT NULL,
    合計金額        money           NOT NULL,
    備考            varchar(255)    NULL,
    CONSTRAINT PK_受注票 PRIMARY KEY CLUSTERED (受注番号) WITH FILLFACTOR = 80
)
GO

-- 顧客別の受注一覧（画面：受注照会）で使う
CREATE INDEX IX_受注票_顧客 ON 受注票 (顧客コード, 受注日)
GO

/* 受注明細表：受注票1件に明細n行 */
CREATE TABLE [受注明細表] (
    受注番号        int             NOT NULL,
    明細番号        smallint        NOT NULL,
    [商品コード]    char(10)        NOT NULL,
    数量            int             NOT NULL,
    単価            money           NOT NULL,
    評価区分        tinyint         NULL,       -- 1:良 2:可 3:不可
    CONSTRAINT PK_受注明細表 PRIMARY KEY (受注番号, 明細番号)
)
GO

CREATE NONCLUSTERED INDEX IX_受注明細表_商品 ON 受注明細表 (商品コード) WITH FILLFACTOR = 90
GO

GRANT SELECT ON 受注票 TO 営業部
GO
