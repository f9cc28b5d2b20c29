// The program as it stands after start-up: the nine windows created in order,
// the main window shown, a temporary folder as the documents folder, and every
// message box recorded instead of shown.
#pragma once

#include "GuiSeams.h"
#include "MainForm.h"
#include "Startup.h"
#include "UserMessage.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Readable Qt texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out) { *out << list.join(", ").toStdString(); }

struct RecordedMessage {
    std::string text;
    std::string caption;
    zlv::MsgIcon icon;
    zlv::MsgButtons buttons;
};

class StartedProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_documents.isValid());
        m_previousLookup = zlv::SetDocumentsFolderLookup([this] { return documentsFolder(); });
        m_previousBox = zlv::SetMessageBoxHandler(
            [this](const std::string& text, const std::string& caption, zlv::MsgIcon icon, zlv::MsgButtons buttons) {
                messages.push_back({text, caption, icon, buttons});
                return zlv::MsgResult::Ok;
            });
        prepareDocuments();
        zlv::CreateApplicationWindows();
        zlv::MainForm->show();
    }

    void TearDown() override
    {
        zlv::DestroyApplicationWindows();
        zlv::SetMessageBoxHandler(m_previousBox);
        zlv::SetDocumentsFolderLookup(m_previousLookup);
    }

    // What the documents lookup answers; a test may answer "none" by overriding.
    virtual QString documentsFolder() { return m_documents.path(); }
    // Runs before the windows are created, to lay out the documents folder.
    virtual void prepareDocuments() {}

    QString documentsPath() const { return m_documents.path(); }

    std::vector<RecordedMessage> messages;

private:
    QTemporaryDir m_documents;
    zlv::DocumentsFolderLookup m_previousLookup;
    zlv::MessageBoxHandler m_previousBox;
};
