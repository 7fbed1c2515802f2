// What the user is told when a Save fails.
#pragma once

#include <string>

#include "settings/config_file.h"
#include "settings/mdini.h"

namespace quorvel {

// "保存失败！" and why, in a few words: a character the system's code page lacks (named), a read-only file
// or folder (named; where config.ini can live nowhere, with the settings folder tried and what is wrong
// with it), something under the name that is not a file, a full disk.
std::string saveFailedText(const IniWriteResult& result, const ConfigLocation& location);

}  // namespace quorvel
