// Where LoadLibraryW looks for a library file; shared by the module calls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The program's own file, or empty when the system cannot say.
std::string ProgramPath();
// The added folders, the SetDllDirectoryW folder, the program's folder and
// "../lib" beside it, in that order.
std::vector<std::string> ModuleSearchFolders();
// folder/name when it is a file; failing that, a file in the folder whose
// name differs only in ASCII case (Windows names ignore case). Empty if none.
std::string FindFileInFolder(const std::string& folder, const std::string& name);
// Relative paths are taken from the current folder; "." and ".." are removed.
std::string AbsolutePath(const std::string& path);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
