// The save dialog as the editor's commands ask it: again while the chosen file
// exists and the player answers No to the overwrite question.
#pragma once

#include <optional>
#include <string>

namespace editor {

// The chosen path, or nothing when cancelled. `kindOfFile` begins the question
// ("Sensitivity curve file" taken.crv " already exists...").
std::optional<std::string> ChooseFileToWrite(const std::string& filter, const std::string& folder,
                                             const std::string& kindOfFile);

}  // namespace editor
