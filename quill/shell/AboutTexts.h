#pragma once
// The texts of the About/help page, one entry per text line of its sub-page.
// They carry no behaviour; the help entries that describe a button quote the
// wording users know from the buttons' documentation and stay word for word.
#include <string>
#include <vector>

namespace quill {

// "ABOUT QUILL": name, notice, disclaimer, credits and a word about us.
const std::vector<std::string>& AboutQuillLines();
// Captions of the two link labels under it (both open the project's web page).
inline const char* const kAboutLinkCaption = "Visit the Quill home page:";

// "AV IMPORTER HELP", top to bottom.
const std::vector<std::string>& ImporterHelpLines();
// "AV EDITOR HELP", top to bottom; the tools clockwise from the upper left.
const std::vector<std::string>& EditorHelpLines();

}  // namespace quill
