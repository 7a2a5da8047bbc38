#pragma once
// The host's side of compile and browse, shared by its two files.
#include <functional>
#include <vector>

#include "host/CppBrowse.h"

namespace hostimpl {

// The translation unit of one compile, answering the library's calls while it is open; handles
// of a closed one are refused.
class TBrowseSession;

// Parses the first of files (name, text; the others are headers it may include) with the
// arguments; false and the error messages when it does not compile. While the translation unit
// is open for browsing, browse runs.
bool BrowseTranslationUnit(const std::vector<std::pair<String, String>>& files,
                           const std::vector<String>& args, const std::function<void()>& browse,
                           std::vector<String>& errors);

// The errors of the last compile for browsing.
std::vector<String>& LastBrowseErrors();

// What an unloaded package left in the browse hooks and the component browser.
void RemoveBrowseResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found);

}  // namespace hostimpl
