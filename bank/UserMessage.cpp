#include "UserMessage.h"

#include "AppTitle.h"

#include <cstdio>
#include <exception>
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

void ShowCurrentException()
{
    std::string text = "Unknown exception.";
    try {
        throw;
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    ShowMessage(text, AppTitle, MsgIcon::Error, MsgButtons::Ok);
}

} // namespace zlv
