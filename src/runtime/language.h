#pragma once

namespace dwelvane {

// The language of the window's texts and of the statistics report.
enum class Language { kEnglish, kGerman };

}  // namespace dwelvane
