// Qt's dialogs in German, and the file and folder dialogs: they open in the
// directory asked for and nowhere else, show readable filters that match
// without case, and a missing source directory opens none of them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <ostream>

#include "common/file_choice.h"
#include "common/session.h"
#include "gui/file_choice_dialog.h"
#include "gui/file_dialogs.h"
#include "gui/german_translation.h"
#include "gui/gui_app.h"
#include "gui/qt_host.h"
#include "support/temp_dir.h"

// Texts in failure messages as text, not as UTF-16 units.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
static void PrintTo(const QStringList& texts, std::ostream* out) {
    PrintTo(texts.join(QStringLiteral(" | ")), out);
}

namespace dn::gui {
namespace {

QString qpath(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// Counts the file dialogs that appear while it lives, and closes them.
class FileDialogWatch : public QObject {
  public:
    FileDialogWatch() { qApp->installEventFilter(this); }
    ~FileDialogWatch() override { qApp->removeEventFilter(this); }
    int shown = 0;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show &&
            (qobject_cast<QFileDialog*>(object) || qobject_cast<FileChoiceDialog*>(object))) {
            ++shown;
            QTimer::singleShot(0, static_cast<QDialog*>(object), &QDialog::reject);
        }
        return false;
    }
};

// The names the file dialog lists once its folder has been read.
QStringList listedNames(QFileDialog& dialog, int expected) {
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (!view) return {};
    for (int round = 0; round < 200 && view->model()->rowCount(view->rootIndex()) < expected;
         ++round)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 25);
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    names.sort();
    return names;
}

class FileDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dn::test::ensureGuiApp();
        ASSERT_TRUE(installGermanTranslations(german));
    }
    QTranslator german;  // removed from the application with its end
    dn::test::TempDir dir;
    QtHost host;
};

TEST_F(FileDialogTest, StandardButtonsSpeakGerman) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("DATANORM"), QStringLiteral("?"),
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Abbrechen");
    EXPECT_EQ(box.button(QMessageBox::No)->text(), "&Nein");
}

// Supplier 7's folder was used last; supplier 3's dialog still opens in
// supplier 3's folder and lists its price files whatever their case.
TEST_F(FileDialogTest, FileDialogOpensInTheSourceDirectoryOnly) {
    for (const char* name :
         {"lief7/datpreis.007", "lief3/DATPREIS.001", "lief3/datpreis.002", "lief3/datanorm.001"})
        dn::test::writeFile(dir / name, "V");
    FileRequest request;
    request.title = "Datanorm-Datei auswählen";
    request.patterns = {"datpreis.*"};
    request.purpose = "p";

    request.directory = (dir / "lief7").string();
    dn::test::onNextModal([&](QWidget& w) {
        auto* dialog = qobject_cast<QFileDialog*>(&w);
        ASSERT_TRUE(dialog);
        dialog->selectFile(qpath(dir / "lief7/datpreis.007"));
        static_cast<QDialog*>(dialog)->accept();  // as the "Öffnen" button does
    });
    EXPECT_EQ(host.chooseFiles(request),
              (std::vector<std::string>{(dir / "lief7/datpreis.007").string()}));

    request.directory = (dir / "lief3").string();
    for (const bool multiple : {false, true}) {
        request.multiple = multiple;
        QString opened, title, filter, openButton;
        QStringList names;
        dn::test::onNextModal([&](QWidget& w) {
            auto* dialog = qobject_cast<QFileDialog*>(&w);
            ASSERT_TRUE(dialog);
            opened = dialog->directory().absolutePath();
            title = dialog->windowTitle();
            filter = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
            for (auto* button : dialog->findChildren<QPushButton*>())
                if (button->text().contains(u'Ö')) openButton = button->text();
            names = listedNames(*dialog, 2);
            dialog->reject();
        });
        EXPECT_TRUE(host.chooseFiles(request).empty());
        EXPECT_EQ(opened, qpath(dir / "lief3"));
        EXPECT_EQ(title, "Datanorm-Datei auswählen");
        EXPECT_EQ(filter, "DATANORM-Dateien (datpreis.*)");
        EXPECT_EQ(openButton, "&Öffnen");
        EXPECT_EQ(names, (QStringList{"DATPREIS.001", "datpreis.002"}));
    }
    EXPECT_EQ(fileDialogFilters(request),
              (QStringList{"DATANORM-Dateien (datpreis.*)", "Alle Dateien (*)"}));
}

// The default source path "a:" of a supplier without a path: the message,
// and no dialog of any kind.
TEST_F(FileDialogTest, MissingSourceDirectoryShowsTheMessageAndNoDialog) {
    Session session(host);
    session.CurrentSupplierPath = (dir / "lief3").string();
    FileDialogWatch watch;
    for (const bool multiple : {false, true})
        for (const char kind : {'a', 't', 'j', 'p', 'x', 'r', 'w'}) {
            SCOPED_TRACE(std::string(1, kind) + (multiple ? " multi" : ""));
            session.settings.MultiSelectDialog = multiple;
            QString message;
            dn::test::closeNextMessage(&message);
            EXPECT_FALSE(ChooseImportFiles(session, kind));
            EXPECT_EQ(message, "Pfad nicht gefunden!\n" + qpath(dir / "lief3") +
                                   "/\nBitte prüfen Sie die Angaben unter Diverses/Laufwerk,\n"
                                   "oder den beim Lieferanten angegebenem Pfad!");
        }
    // The host opens no chooser in a folder that is not there either.
    FileRequest request;
    request.directory = "a:/";
    request.purpose = "a";
    for (const bool multiple : {false, true}) {
        request.multiple = multiple;
        EXPECT_TRUE(host.chooseFiles(request).empty());
    }
    EXPECT_EQ(watch.shown, 0);
}

// The folder browser opens at the entered path, or the nearest folder
// above it, never where a dialog was last.
TEST_F(FileDialogTest, FolderBrowserStartsAtTheEnteredPath) {
    std::filesystem::create_directories(dir / "daten/lief7");
    EXPECT_EQ(folderBrowserStart(qpath(dir / "daten/lief7")), qpath(dir / "daten/lief7"));
    EXPECT_EQ(folderBrowserStart(qpath(dir / "daten/lief3/d5grund/")), qpath(dir / "daten"));
    EXPECT_EQ(folderBrowserStart(QStringLiteral("a:")), QDir::homePath());
    EXPECT_EQ(folderBrowserStart(QString()), QDir::homePath());

    QString opened, title;
    dn::test::onNextModal([&](QWidget& w) {
        auto* dialog = qobject_cast<QFileDialog*>(&w);
        ASSERT_TRUE(dialog);
        opened = dialog->directory().absolutePath();
        title = dialog->windowTitle();
        dialog->selectFile(qpath(dir / "daten/lief7"));
        static_cast<QDialog*>(dialog)->accept();  // as the "Öffnen" button does
    });
    EXPECT_EQ(host.chooseDirectory("Datanorm-Verzeichnis", "Datanorm-Verzeichnis auswählen",
                                   (dir / "daten/lief3").string()),
              (dir / "daten/lief7").string());
    EXPECT_EQ(opened, qpath(dir / "daten"));
    EXPECT_EQ(title, "Datanorm-Verzeichnis - Datanorm-Verzeichnis auswählen");
}

}  // namespace
}  // namespace dn::gui
