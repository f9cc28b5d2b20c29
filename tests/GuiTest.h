// What every GUI suite shares: readable Qt values in failure messages, what a
// message recorder notes of the GUI, the one folder for pictures taken for a
// look by eye, and showing a window as the active one.
#pragma once

#include "MessageRecorder.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

class QImage;
class QWidget;

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out) { *out << list.join(", ").toStdString(); }

namespace zlv::test {

// The wait cursor and, when `watchedFile` is named, whether that file exists,
// noted with each box a recorder records.
MessageRecorder::NoteContext NoteGuiState(const QString* watchedFile = nullptr);

// Saves a picture as `name`.png in the build tree's screenshot folder; the
// widget is grabbed once pending events have run.
::testing::AssertionResult saveScreenshot(QWidget* widget, const QString& name);
::testing::AssertionResult saveScreenshot(const QImage& picture, const QString& name);

// Shows the window as the active one, so that focus moves as for a user.
void showActive(QWidget* window);

} // namespace zlv::test
