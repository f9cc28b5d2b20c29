#include "UserMessage.h"

#include <gtest/gtest.h>

using namespace zlv;

TEST(UserMessage, GoesThroughTheInstalledHandlerAndReturnsItsAnswer)
{
    std::string seenText, seenCaption;
    MsgIcon seenIcon = MsgIcon::None;
    auto previous = SetMessageBoxHandler([&](const std::string& t, const std::string& c, MsgIcon i, MsgButtons) {
        seenText = t;
        seenCaption = c;
        seenIcon = i;
        return MsgResult::Cancel;
    });
    EXPECT_EQ(ShowMessage("Delete Link?", "Confirm", MsgIcon::Exclamation, MsgButtons::OkCancel), MsgResult::Cancel);
    EXPECT_EQ(seenText, "Delete Link?");
    EXPECT_EQ(seenCaption, "Confirm");
    EXPECT_EQ(seenIcon, MsgIcon::Exclamation);
    SetMessageBoxHandler(previous);
}
