#include "StartedProgram.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

using namespace zlv;

namespace {

std::vector<QFileDialog*> fiveDialogs()
{
    return {MainForm->OpenSyxDialog, MainForm->OpenSingleDialog, MainForm->SaveOneDialog, MainForm->SaveAllDialog,
            MainForm->OpenUpgradeDialog};
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

using FreshDocuments = StartedProgram;

TEST_F(FreshDocuments, StartUpMakesTheWorkingFolderAndStartsTheFiveDialogsThere)
{
    const QString expected = QDir(documentsPath()).filePath("Tessarine/Zelvane/Syx");
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(QDir::fromNativeSeparators(MainForm->WorkingFolder), expected);
    EXPECT_TRUE(MainForm->findChildren<QFileDialog*>().isEmpty()) << "each dialog is built on its first use";
    for (QFileDialog* dialog : fiveDialogs())
        EXPECT_EQ(dialog->directory().absolutePath(), expected) << dialog->objectName().toStdString();
}

class DocumentsWithTessarineOnly : public StartedProgram {
protected:
    void prepareDocuments() override
    {
        ASSERT_TRUE(QDir(documentsPath()).mkdir("Tessarine"));
        writeFile(documentsPath() + "/Tessarine/keep.txt", "mine");
    }
};

TEST_F(DocumentsWithTessarineOnly, OnlyTheMissingLevelsAreMade)
{
    EXPECT_TRUE(QFileInfo(documentsPath() + "/Tessarine/Zelvane/Syx").isDir());
    EXPECT_EQ(readFile(documentsPath() + "/Tessarine/keep.txt"), "mine");
    EXPECT_EQ(QDir(documentsPath() + "/Tessarine").entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({"Zelvane", "keep.txt"}));
}

class DocumentsWithSyxAlready : public StartedProgram {
protected:
    void prepareDocuments() override
    {
        ASSERT_TRUE(QDir(documentsPath()).mkpath("Tessarine/Zelvane/Syx"));
        writeFile(documentsPath() + "/Tessarine/Zelvane/Syx/bank.syx", QByteArray("\xF0\x7D\x22\xF7", 4));
    }
};

TEST_F(DocumentsWithSyxAlready, TheExistingFolderAndItsFilesAreLeftAlone)
{
    EXPECT_EQ(readFile(documentsPath() + "/Tessarine/Zelvane/Syx/bank.syx"), QByteArray("\xF0\x7D\x22\xF7", 4));
    EXPECT_EQ(QDir(documentsPath() + "/Tessarine/Zelvane/Syx").entryList(QDir::Files), QStringList({"bank.syx"}));
}

class DocumentsWithAFileInTheWay : public StartedProgram {
protected:
    void prepareDocuments() override
    {
        ASSERT_TRUE(QDir(documentsPath()).mkdir("Tessarine"));
        writeFile(documentsPath() + "/Tessarine/Zelvane", "not a folder");
    }
};

TEST_F(DocumentsWithAFileInTheWay, ALevelThatCannotBeMadeIsPassedOverSilently)
{
    EXPECT_EQ(readFile(documentsPath() + "/Tessarine/Zelvane"), "not a folder");
    EXPECT_EQ(QDir::fromNativeSeparators(MainForm->WorkingFolder), documentsPath() + "/Tessarine/Zelvane/Syx");
    EXPECT_TRUE(messages.empty());
}

class NoDocumentsFolder : public StartedProgram {
protected:
    QString documentsFolder() override { return {}; }
};

TEST_F(NoDocumentsFolder, TheDialogsKeepTheRelativeFolderAndNothingIsMade)
{
    // The dialogs themselves fall back to a folder that exists when "Syx" does
    // not; the download commands take the folder from WorkingFolder.
    EXPECT_EQ(MainForm->WorkingFolder, "Syx");
    EXPECT_TRUE(QDir(documentsPath()).isEmpty());
    EXPECT_TRUE(messages.empty());
}

class DocumentsFolderNotMadeYet : public StartedProgram {
protected:
    QString documentsFolder() override { return documentsPath() + "/Documents"; }
};

TEST_F(DocumentsFolderNotMadeYet, TheDocumentsFolderIsMadeWithTheLevelsBelowIt)
{
    EXPECT_TRUE(QFileInfo(documentsPath() + "/Documents/Tessarine/Zelvane/Syx").isDir());
    EXPECT_EQ(QDir::fromNativeSeparators(MainForm->WorkingFolder), documentsPath() + "/Documents/Tessarine/Zelvane/Syx");
}
