// server_folder.h - the folder that a web server hands out as the master
// data: reading its files, and writing a whole new one in its place.
#pragma once

#include "masters/master_set.h"

#include <string>
#include <vector>

namespace nk {

// The bytes of the file at relativePath below dir. RuntimeError
// "<relativePath>: ファイルを読めません（cause）。" when it cannot be read.
std::string readServerFile(const std::string& dir, const std::string& relativePath);

// The eight files below dir. RuntimeError of the first that cannot be read.
ServerFiles readServerFolder(const std::string& dir);

// The files of files by their paths below a server folder.
std::vector<std::pair<std::string, std::string>> serverFileList(const ServerFiles& files);

// Makes dir hold exactly files (each path below it, with its folders),
// crash-safe: the whole folder is written beside dir, flushed, and then
// swapped in for the old one, which is removed. A failure before the swap
// removes what was written and leaves dir as it was. RuntimeError saying
// what failed. The folders are readable by everyone (a web server's user).
void replaceFolder(const std::string& dir, const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace nk
