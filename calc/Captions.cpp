#include "calc/Captions.h"

#include "engine/basSQLSIZE.h"

namespace quorvel::captions {

std::string LevelCaption(int level, bool nonClustered)
{
    static constexpr std::array<std::string_view, 10> kFullWidthDigits{"０", "１", "２", "３", "４",
                                                                       "５", "６", "７", "８", "９"};
    std::string caption = "ﾚﾍﾞﾙ";
    if (level >= 0 && level < 10)
        caption += kFullWidthDigits[static_cast<std::size_t>(level)];
    else
        caption += std::to_string(level);
    if (level == 0 && nonClustered)
        caption += "(ﾘｰﾌ)";
    if (level == kLevelCount - 1)
        caption += "(ﾙｰﾄ)";
    return caption;
}

} // namespace quorvel::captions
