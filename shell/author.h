#pragma once

// Who made the bundle, as its windows credit the author and the maker.
// The credit is a literal so that window captions can end with it.
#define AUTHOR_CREDIT "by R. Quillo"

namespace author {

inline constexpr const char* kContactEmail = "quillo@example.com";
inline constexpr const char* kMaker = "Quillo Workbench";
inline constexpr const char* kWebAddress = "http://www.example.com/quillo";

}  // namespace author
