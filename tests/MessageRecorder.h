// The one stand-in for the person at message boxes, for every suite: it records
// each box the program shows and answers it with the next queued answer, OK when
// none is queued. No Qt: the GUI suites note what stood around each box (the wait
// cursor, a file) through the function they pass in.
#pragma once

#include "UserMessage.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace zlv::test {

// A message box as the program showed it, and what stood around it then.
struct ShownMessage {
    std::string text;
    std::string caption;
    MsgIcon icon;
    MsgButtons buttons;
    bool hourglass = false;        // the wait cursor was on
    bool watchedFileThere = false; // the file the suite watches existed
    bool operator==(const ShownMessage&) const = default;
};

// A plain box with OK and no icon, as every codec message is.
inline ShownMessage Plain(const std::string& text, const std::string& caption)
{
    return {text, caption, MsgIcon::None, MsgButtons::Ok};
}

// What a test usually expects of a box: its text, caption and icon.
struct Box {
    Box(std::string text, std::string caption, MsgIcon icon = MsgIcon::None)
        : text(std::move(text)), caption(std::move(caption)), icon(icon)
    {
    }
    std::string text;
    std::string caption;
    MsgIcon icon;
    bool operator==(const Box&) const = default;
};

inline bool operator==(const ShownMessage& shown, const Box& expected)
{
    return std::tie(shown.text, shown.caption, shown.icon) == std::tie(expected.text, expected.caption, expected.icon);
}

inline void PrintTo(const ShownMessage& shown, std::ostream* out)
{
    *out << '"' << shown.text << "\" / \"" << shown.caption << "\" icon " << static_cast<int>(shown.icon)
         << " buttons " << static_cast<int>(shown.buttons);
}

inline void PrintTo(const Box& box, std::ostream* out)
{
    *out << '"' << box.text << "\" / \"" << box.caption << "\" icon " << static_cast<int>(box.icon);
}

class MessageRecorder {
public:
    // Fills in what stood around a box as it shows.
    using NoteContext = std::function<void(ShownMessage&)>;

    explicit MessageRecorder(NoteContext note = {}) : m_note(std::move(note))
    {
        m_previous = SetMessageBoxHandler(
            [this](const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons) {
                ShownMessage shown{text, caption, icon, buttons};
                if (m_note)
                    m_note(shown);
                m_shown.push_back(std::move(shown));
                if (m_answers.empty())
                    return MsgResult::Ok;
                const MsgResult answer = m_answers.front();
                m_answers.pop_front();
                return answer;
            });
    }
    ~MessageRecorder() { SetMessageBoxHandler(m_previous); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void answerNext(MsgResult answer) { m_answers.push_back(answer); }
    std::size_t answersLeft() const { return m_answers.size(); }

    // The boxes shown, oldest first.
    const std::vector<ShownMessage>& shown() const { return m_shown; }
    std::size_t size() const { return m_shown.size(); }
    bool empty() const { return m_shown.empty(); }
    const ShownMessage& operator[](std::size_t i) const { return m_shown[i]; }
    const ShownMessage& at(std::size_t i) const { return m_shown.at(i); }
    const ShownMessage& back() const { return m_shown.back(); }
    auto begin() const { return m_shown.begin(); }
    auto end() const { return m_shown.end(); }
    void clear() { m_shown.clear(); }
    std::vector<Box> boxes() const
    {
        std::vector<Box> all;
        for (const ShownMessage& m : m_shown)
            all.emplace_back(m.text, m.caption, m.icon);
        return all;
    }

private:
    NoteContext m_note;
    std::vector<ShownMessage> m_shown;
    std::deque<MsgResult> m_answers;
    MessageBoxHandler m_previous;
};

} // namespace zlv::test
