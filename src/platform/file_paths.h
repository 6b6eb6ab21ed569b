#pragma once

#include <filesystem>
#include <string>

namespace pw {

// File names inside data files are relative to the data directory and use backslashes, and were
// often written on a case-insensitive file system. ResolveDataPath maps such a name onto this
// machine: backslashes become slashes, and a component that does not exist as written is looked
// up case-insensitively in its folder. A name that cannot be found is returned as mapped.
std::filesystem::path ResolveDataPath(const std::filesystem::path &base, const std::string &name);

// The same lookup for a path that is already absolute or relative to the working directory.
std::filesystem::path ResolveExistingPath(const std::filesystem::path &path);

// Writes bytes to path through a temporary file in the same folder and a rename, so a failed
// write never destroys the previous file. Creates missing folders. A symbolic link is written
// through (it stays a link to the new file); the file replaced keeps its mode; a read-only file or
// a folder is refused; a device or pipe is written into directly. Temporaries of earlier saves
// into the folder that were killed halfway are removed. Throws FileWriteError with the reason.
void WriteFileAtomically(const std::filesystem::path &path, const std::string &bytes);

// Whether files can be created in folder (created first when missing). A folder without write
// permission counts as read-only for the superuser too, who could write there all the same.
bool IsWritableFolder(const std::filesystem::path &folder);

// Whether the program may write its files (settings, undo snapshots) into the course folder: not
// when it is the course installed with the program (share/partwriter beside bin/), which belongs
// to the system, and not when it is read-only.
bool IsWritableCourse(const std::filesystem::path &dataDir);

// The per-user folder for files the program writes when its data directory is read-only:
// $XDG_DATA_HOME/Partwriter, or ~/.local/share/Partwriter.
std::filesystem::path UserDataFolder();

// The bundled data directory of a program in exeDir: exeDir itself when it holds sys.xml (the
// build tree), else exeDir/../share/partwriter (an installed program).
std::filesystem::path BundledDataFolder(const std::filesystem::path &exeDir);

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

} // namespace pw
