#include "AppFixture.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

using namespace zlv;
using namespace zlv::test;

namespace {

const Bytes kMine = BytesOf("mine");
const Bytes kNotAFolder = BytesOf("not a folder");
const Bytes kBankFile = {0xF0, 0x7D, 0x22, 0xF7};

} // namespace

using FreshDocuments = AppFixture;

TEST_F(FreshDocuments, StartUpMakesTheWorkingFolderAndStartsTheFiveDialogsThere)
{
    const QString expected = QDir(documentsPath()).filePath("Tessarine/Zelvane/Syx");
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(QDir::fromNativeSeparators(MainForm->WorkingFolder), expected);
    EXPECT_TRUE(MainForm->findChildren<QFileDialog*>().isEmpty()) << "each dialog is built on its first use";
    for (QFileDialog* dialog : fileDialogs())
        EXPECT_EQ(dialog->directory().absolutePath(), expected) << dialog->objectName().toStdString();
}

class DocumentsWithTessarineOnly : public AppFixture {
protected:
    void prepareDocuments() override
    {
        ASSERT_TRUE(QDir(documentsPath()).mkdir("Tessarine"));
        WriteFile(documentsPath() + "/Tessarine/keep.txt", kMine);
    }
};

TEST_F(DocumentsWithTessarineOnly, OnlyTheMissingLevelsAreMade)
{
    EXPECT_TRUE(QFileInfo(documentsPath() + "/Tessarine/Zelvane/Syx").isDir());
    EXPECT_EQ(ReadFile(documentsPath() + "/Tessarine/keep.txt"), kMine);
    EXPECT_EQ(QDir(documentsPath() + "/Tessarine").entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({"Zelvane", "keep.txt"}));
}

class DocumentsWithSyxAlready : public AppFixture {
protected:
    void prepareDocuments() override
    {
        ASSERT_TRUE(QDir(documentsPath()).mkpath("Tessarine/Zelvane/Syx"));
        WriteFile(documentsPath() + "/Tessarine/Zelvane/Syx/bank.syx", kBankFile);
    }
};

TEST_F(DocumentsWithSyxAlready, TheExistingFolderAndItsFilesAreLeftAlone)
{
    EXPECT_EQ(ReadFile(documentsPath() + "/Tessarine/Zelvane/Syx/bank.syx"), kBankFile);
    EXPECT_EQ(QDir(documentsPath() + "/Tessarine/Zelvane/Syx").entryList(QDir::Files), QStringList({"bank.syx"}));
}

class DocumentsWithAFileInTheWay : public AppFixture {
protected:
    void prepareDocuments() override
    {
        ASSERT_TRUE(QDir(documentsPath()).mkdir("Tessarine"));
        WriteFile(documentsPath() + "/Tessarine/Zelvane", kNotAFolder);
    }
};

TEST_F(DocumentsWithAFileInTheWay, ALevelThatCannotBeMadeIsPassedOverSilently)
{
    EXPECT_EQ(ReadFile(documentsPath() + "/Tessarine/Zelvane"), kNotAFolder);
    EXPECT_EQ(QDir::fromNativeSeparators(MainForm->WorkingFolder), documentsPath() + "/Tessarine/Zelvane/Syx");
    EXPECT_TRUE(messages.empty());
}

class NoDocumentsFolder : public AppFixture {
protected:
    NoDocumentsFolder() : AppFixture({.documents = std::nullopt}) {}
};

TEST_F(NoDocumentsFolder, TheDialogsKeepTheRelativeFolderAndNothingIsMade)
{
    // The dialogs themselves fall back to a folder that exists when "Syx" does
    // not; the download commands take the folder from WorkingFolder.
    EXPECT_EQ(MainForm->WorkingFolder, "Syx");
    EXPECT_TRUE(QDir(documentsPath()).isEmpty());
    EXPECT_TRUE(messages.empty());
}

class DocumentsFolderNotMadeYet : public AppFixture {
protected:
    DocumentsFolderNotMadeYet() : AppFixture({.documents = "Documents"}) {}
};

TEST_F(DocumentsFolderNotMadeYet, TheDocumentsFolderIsMadeWithTheLevelsBelowIt)
{
    EXPECT_TRUE(QFileInfo(documentsPath() + "/Documents/Tessarine/Zelvane/Syx").isDir());
    EXPECT_EQ(QDir::fromNativeSeparators(MainForm->WorkingFolder), documentsPath() + "/Documents/Tessarine/Zelvane/Syx");
}
