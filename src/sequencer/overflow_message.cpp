#include "sequencer/overflow_message.h"

#include "platform/platform.h"
#include "settings/config_file.h"

namespace quorvel {

std::string overflowMessage(const ValueOrigin& origin) {
  std::string where = origin.slot > 0
                          ? "第" + std::to_string(origin.slot) + "号（" + slotSection(origin.slot) + "）的 "
                          : std::string();
  return "数值超出范围：" + where + origin.field + " 值“" + origin.text + "”无法使用，运行已停止。";
}

void reportOverflow(Platform& platform, const ValueOrigin& origin) {
  platform.messageBox(overflowMessage(origin), kNoticeTitle, MessageIcon::exclamation);
}

}  // namespace quorvel
