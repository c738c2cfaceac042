#pragma once
// The text of quorvel-size --help, in the user's language.

#include "schema/Messages.h"

#include <string>

namespace quorvel::cli {

std::string HelpText(Language language);

} // namespace quorvel::cli
