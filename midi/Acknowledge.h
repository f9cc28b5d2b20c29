// How each sender tells the keypad's acknowledge in a reply: byte 3 names the
// record acknowledged and the 'A' stands after the record's number. The senders'
// rules differ, so each has its own table.
#pragma once

#include <cstdint>

namespace zlv {

// SendSingleSyxFile: a reply passes only when it is one of its table's record
// acknowledges and carries the 'A'; any other reply is no acknowledge.
bool SingleFileAcknowledged(const std::uint8_t* reply);
// SendSyxMessageList: a record acknowledge must carry the 'A'; any other reply
// passes only for the last node of the list.
bool MessageListAcknowledged(const std::uint8_t* reply, bool lastNode);
// SendUpgradeMessageList: the 'A' at byte 4 whatever the reply, or the last node.
bool UpgradeAcknowledged(const std::uint8_t* reply, bool lastNode);

} // namespace zlv
