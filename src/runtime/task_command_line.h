#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tidewell {

// The macro engine: an executable of this name in the program's folder, started with one of the
// two command lines (macro path; macro path and password).
inline constexpr std::string_view kMacroEngineName = "runweave";
inline constexpr std::string_view kMacroRunFormat = "/run \"%s\"";
inline constexpr std::string_view kMacroRunWithPasswordFormat = "/run -path \"%s\" -pwd \"%s\"";
// The reminder of a program path with nothing at it: the message, then the path.
inline constexpr std::string_view kProgramNotValidFormat = "%s\r\n\r\n\t%s\r\n\r\n";
// The caption of a notice: "Schedule Notice", then the task's title.
inline constexpr std::string_view kNoticeCaptionFormat = "%s: %s";

// `format` with each "%s" in turn replaced by the next value; inserted text is not scanned again.
std::string FillStrings(std::string_view format, std::initializer_list<std::string_view> values);

// The folder a program of `path` runs in: the part before its last slash ("/" for a file in the
// root); empty when the path names no folder.
std::string WorkingFolderOf(std::string_view path);

// The program to start for an existing file at `path`: a bare file name gets "./", so that it
// is the file of the current folder and never one found on PATH.
std::string ProgramToStart(std::string_view path);

// The text to put between double quotes so that the launcher's argument splitting gives `value`
// back exactly: " and \ get a backslash.
std::string EscapeForDoubleQuotes(std::string_view value);

// The engine's parameters for a macro: the short command line when the password is empty.
std::string MacroEngineParameters(std::string_view macroPath, std::string_view password);

// The engine's executable in `programFolder` (the current folder when empty, never PATH).
std::string MacroEnginePath(std::string_view programFolder);

}  // namespace tidewell
