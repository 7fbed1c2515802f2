#include "mainwindow/save_message.h"

namespace quorvel {
namespace {

// Why the user's settings folder could not be had either, naming the folder at fault.
std::string userFolderFault(const SettingsFolder& folder) {
  const std::string tried = "设置文件夹“" + folder.path + "”也无法建立";
  const std::string at = "：“" + folder.faultAt + "”";
  switch (folder.fault) {
    case FolderFault::noHome:
      return "也找不到用户的主文件夹来存放设置";
    case FolderFault::missing:
      return tried + at + "不存在";
    case FolderFault::readOnly:
      return tried + at + "是只读的";
    case FolderFault::notAFolder:
      return tried + at + "不是文件夹";
    default:
      return tried;
  }
}

// A folder that takes no new file, named; where config.ini can live nowhere, the settings folder as well, on
// a line of its own, since a box may not wrap two paths.
std::string readOnlyFolderReason(const ConfigLocation& location) {
  const std::string folder = "“" + location.directory + "”";
  if (location.userFolder.fault == FolderFault::none) return "config.ini 所在的文件夹" + folder + "是只读的";
  return "程序所在的文件夹" + folder + "是只读的，\n" + userFolderFault(location.userFolder);
}

// Why a Save failed, in a few words.
std::string failureReason(const IniWriteResult& result, const ConfigLocation& location) {
  switch (result.fault) {
    case FileFault::unencodable:
      if (result.character.empty()) return "有字符无法用系统代码页保存";
      return "字符“" + result.character + "”无法用系统代码页保存";
    case FileFault::readOnlyFile:
      return "config.ini 是只读文件";
    case FileFault::readOnlyFolder:
      return readOnlyFolderReason(location);
    case FileFault::notAFile:
      return "config.ini 不是普通文件";
    case FileFault::diskFull:
      return "磁盘已满";
    case FileFault::unreadable:
      return "config.ini 无法读取";
    default:
      return "config.ini 无法写入";
  }
}

}  // namespace

std::string saveFailedText(const IniWriteResult& result, const ConfigLocation& location) {
  return "保存失败！" + failureReason(result, location) + "，输入的内容仍保留在窗口中。";
}

}  // namespace quorvel
