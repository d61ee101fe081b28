#pragma once

#include <string>
#include <string_view>

namespace zarvic {

// File extensions are compared without regard to case and written upper case (".TB3", ".ZR3");
// only the extension's case is ever changed, since paths are case-sensitive here.

// Appends extension when the file name (after the last "/") has no "."; otherwise replaces
// everything from its last "." on.
void SetExtension(std::string& path, std::string_view extension);

// The extension of the file name including its ".", or "" when the file name has none.
std::string ExtensionOf(std::string_view path);

// True when the file name's extension equals extension (".TB3") without regard to case.
bool HasExtensionNoCase(std::string_view path, std::string_view extension);

// The file that a write to path should replace: path itself when it exists or when no file of its name
// with the extension in another case does ("rates.zr3" for "rates.ZR3"), otherwise that file, so that
// one file is not joined by a second that differs only in case.
std::string WithExistingExtensionCase(const std::string& path);

// The file a save dialog's answer names: the typed name with "." and defaultExtension added when its
// file name has no extension (nothing added when defaultExtension is empty), then the existing file
// whose extension differs only in case, since that is the file the write will replace. The question
// whether to replace a file is asked about this name, not the one typed.
std::string CompleteSaveName(const std::string& typed, std::string_view defaultExtension);

// A file dialog filter in the stored form "Text (*.A)|*.A;*.B|All Files (*.*)|*.*||" as the file
// dialogs here take it: "Text (*.A *.a *.B *.b);;All Files (*)". Each extension is offered in both
// cases, since the dialog matches patterns by case and "x.zr3" must show under "*.ZR3".
std::string DialogFilter(std::string_view stored);

}  // namespace zarvic
