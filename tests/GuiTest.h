// What every GUI suite shares: readable Qt values in failure messages, the
// recorder that stands in for the person at message boxes, the one folder for
// pictures taken for a look by eye, and showing a window as the active one.
#pragma once

#include "UserMessage.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstddef>
#include <deque>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

class QImage;
class QWidget;

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out) { *out << list.join(", ").toStdString(); }

namespace zlv::test {

// A message box as the program showed it, and what stood around it then.
struct ShownMessage {
    std::string text;
    std::string caption;
    MsgIcon icon;
    MsgButtons buttons;
    bool hourglass;        // the wait cursor was on
    bool watchedFileThere; // see MessageRecorder::watchedFile
};

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

bool operator==(const ShownMessage& shown, const Box& expected);
void PrintTo(const ShownMessage& shown, std::ostream* out);
void PrintTo(const Box& box, std::ostream* out);

// Stands in for the person at every message box while it lives: records each
// box and answers it with the next queued answer, OK when none is queued.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void answerNext(MsgResult answer) { m_answers.push_back(answer); }
    std::size_t answersLeft() const { return m_answers.size(); }

    // A file whose presence is noted with each box (a temporary download file).
    QString watchedFile;

    // The boxes shown, oldest first.
    std::size_t size() const { return m_shown.size(); }
    bool empty() const { return m_shown.empty(); }
    const ShownMessage& operator[](std::size_t i) const { return m_shown[i]; }
    const ShownMessage& at(std::size_t i) const { return m_shown.at(i); }
    const ShownMessage& back() const { return m_shown.back(); }
    auto begin() const { return m_shown.begin(); }
    auto end() const { return m_shown.end(); }
    void clear() { m_shown.clear(); }
    std::vector<Box> boxes() const;

private:
    std::vector<ShownMessage> m_shown;
    std::deque<MsgResult> m_answers;
    MessageBoxHandler m_previous;
};

// Saves a picture as `name`.png in the build tree's screenshot folder; the
// widget is grabbed once pending events have run.
::testing::AssertionResult saveScreenshot(QWidget* widget, const QString& name);
::testing::AssertionResult saveScreenshot(const QImage& picture, const QString& name);

// Shows the window as the active one, so that focus moves as for a user.
void showActive(QWidget* window);

} // namespace zlv::test
