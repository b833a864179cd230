#pragma once
// The projector's menu bar ("File" with Exit, "View" with Pause and Full
// Screen) and its Ctrl+F accelerator.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/handle.h"
#include "projector/menu_texts.h"
#include "projector/projector_handles.h"

namespace vnx {

UniqueMenu BuildMenuBar(MenuLanguage language, std::uint16_t fullScreenCommand);
UniqueAccelerators BuildAccelerators(std::uint16_t fullScreenCommand);

// Every item of every menu of the bar, read back from the menu itself, as
// "menu caption|item caption|id" ("-" for a separator's caption).
std::vector<std::string> DescribeMenuBar(HMENU bar);

}  // namespace vnx
