#pragma once
// Runs quorvel-size's logic on a text and keeps what it wrote, for the tests.

#include "SizeTool.h"

#include <string>
#include <string_view>

namespace quorvel::cli::testing {

struct ToolRun {
    std::string out;
    std::string err;
    int status = -1;
};

inline ToolRun RunTool(std::string_view input, InputFormat format = InputFormat::Auto, bool json = false,
                       std::string_view source = "<test>")
{
    ToolRun run;
    SizeTool tool(
        json, [&run](std::string_view text) { run.out += text; }, [&run](std::string_view text) { run.err += text; });
    tool.ReadText(input, source, format);
    run.status = tool.Finish();
    return run;
}

} // namespace quorvel::cli::testing
