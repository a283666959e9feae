#pragma once

#include <string_view>

#include "cli/cli_arguments.h"
#include "runtime/code_page.h"

namespace dwelvane {

// The options the translation commands share.
inline constexpr OptionEntry kLanguageOption = {
    .name = "language",
    .value = "NAME",
    .help =
        "the language: its table is the one of the same path in the package folder NAME "
        "that the .wpr lists, else in PROJECT/NAME/"};

inline constexpr OptionEntry kLanguageTableOption = {
    .name = "table",
    .value = "FILE",
    .help = "the language's string table, instead of the one --language finds"};

inline constexpr std::string_view kCodePageNames[] = {"windows-1250", "windows-1251",
                                                      "windows-1252"};
inline constexpr OptionEntry kCodePageOption = {
    .name = "code-page",
    .help =
        "the game's code page, which the texts of a string table without a UTF-8 byte "
        "order mark are in (default: windows-1252)",
    .choices = kCodePageNames};

// --code-page; Windows-1252 without it.
TableEncoding ChooseCodePage(const CommandArguments& arguments);

}  // namespace dwelvane
