#include "platform/message_box.h"

#include <utility>

#include "platform/app.h"

namespace platform {
namespace {

MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}

}  // namespace

int ShowMessageBox(const std::string& text, UINT style, const std::string& title, HWND owner) {
  const std::string& shownTitle = title.empty() ? AppTitle() : title;
  if (Hook()) return Hook()(owner, text, shownTitle, style);
  return MessageBoxA(owner, text.c_str(), shownTitle.c_str(), style);
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  return std::exchange(Hook(), std::move(hook));
}

}  // namespace platform
