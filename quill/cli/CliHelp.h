#pragma once
// The text of quill-cli --help.
#include <string>

namespace quill {

std::string CliHelpText();

}  // namespace quill
