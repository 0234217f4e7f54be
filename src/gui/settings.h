// What the window remembers between sessions lives in the user's settings
// of this organisation and application.
#pragma once

namespace lumet {

inline constexpr const char* kSettingsOrganisation = "Lumet";
inline constexpr const char* kSettingsApplication = "Lumet";

}  // namespace lumet
