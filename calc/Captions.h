#pragma once
// The captions of the figures, as the window shows them beside its result
// cells and the command-line tool's report prints them. One table for both
// faces, so that they never drift apart.

#include <array>
#include <string>
#include <string_view>

namespace quorvel::captions {

inline constexpr std::array<std::string_view, 5> kTabs{
    "ﾃﾞｰﾀﾍﾟｰｼﾞ", "ｸﾗｽﾀﾍﾟｰｼﾞ", "非ｸﾗｽﾀﾍﾟｰｼﾞ(1)", "非ｸﾗｽﾀﾍﾟｰｼﾞ(2)", "非ｸﾗｽﾀﾍﾟｰｼﾞ(3)"};

// Row size, rows per page, pages of the data rows.
inline constexpr std::array<std::string_view, 3> kDataFigures{
    "ﾃﾞｰﾀ行のｻｲｽﾞ", "ﾍﾟｰｼﾞごとのﾃﾞｰﾀ行数", "必要ﾃﾞｰﾀﾍﾟｰｼﾞ数"};

// Row size, rows per page, pages of the clustered index.
inline constexpr std::array<std::string_view, 3> kClusteredFigures{
    "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽ行のｻｲｽﾞ", "ﾍﾟｰｼﾞごとのｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽ行数", "必要ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞ数"};
// The window has always shown its clustered rows-per-page caption with a
// stray "ｳ"; users know the window by it, so the window keeps it.
inline constexpr std::string_view kWindowClusteredRowsPerPage = "ﾍﾟｰｼﾞごとのｸﾗｽｳﾀ化ｲﾝﾃﾞｯｸｽ行数";

// Leaf row size, leaf rows per page, leaf pages, non-leaf row size, non-leaf
// rows per page, pages of one nonclustered index.
inline constexpr std::array<std::string_view, 6> kNonClusteredFigures{
    "ﾘｰﾌｲﾝﾃﾞｯｸｽ行のｻｲｽﾞ",    "ﾍﾟｰｼﾞごとのﾘｰﾌｲﾝﾃﾞｯｸｽ行数",   "ﾘｰﾌﾍﾟｰｼﾞ数",
    "非ﾘｰﾌｲﾝﾃﾞｯｸｽ行のｻｲｽﾞ", "ﾍﾟｰｼﾞごとの非ﾘｰﾌｲﾝﾃﾞｯｸｽ行数", "必要ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞ数"};

inline constexpr std::string_view kTotalsHeading = "計算結果";
// Clustered pages, nonclustered pages, total pages, table size.
inline constexpr std::array<std::string_view, 4> kTotals{"ｸﾗｽﾀﾍﾟｰｼﾞ数", "非ｸﾗｽﾀﾍﾟｰｼﾞ数", "ﾍﾟｰｼﾞ総数",
                                                          "ﾃｰﾌﾞﾙｻｲｽﾞ"};

// The caption of B-tree level 0..14: levels below 10 with a full-width digit
// ("ﾚﾍﾞﾙ３"), the others with ASCII digits ("ﾚﾍﾞﾙ12"); level 14 is the root,
// and level 0 of a nonclustered index is its leaf level ("ﾚﾍﾞﾙ０(ﾘｰﾌ)").
std::string LevelCaption(int level, bool nonClustered);

} // namespace quorvel::captions
