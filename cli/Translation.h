#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelmora {
class TKelmoraError;
}

namespace kelmora::cli {

// Chooses the language of this run's messages, Japanese under a Japanese locale and English
// otherwise, and finds the catalogues: beside the installed program, or in the build tree.
void ChooseMessageLanguage();

// `format` in the run's language, its %s filled with `arguments` in order. The catalogues are
// keyed by kelmora-check's English texts and by the core's Japanese ones.
std::string Tr(std::string_view format, const std::vector<std::string>& arguments = {});
// The error's message in the run's language.
std::string Tr(const TKelmoraError& error);

} // namespace kelmora::cli
