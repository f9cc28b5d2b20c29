#include "UserMessage.h"

#include <cstdio>
#include <utility>

namespace zlv {

namespace {
MessageBoxHandler& installedHandler()
{
    static MessageBoxHandler handler;
    return handler;
}
} // namespace

MsgResult ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons)
{
    if (auto& handler = installedHandler())
        return handler(text, caption, icon, buttons);
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return MsgResult::Ok;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

} // namespace zlv
