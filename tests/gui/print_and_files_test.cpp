// The print job's lines and pages, the file patterns without case, the
// "Dateiauswahl" dialog, and the manual's sections.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>

#include "common/command_table.h"
#include "gui/file_choice_dialog.h"
#include "gui/gui_app.h"
#include "gui/help_window.h"
#include "gui/print_job.h"
#include "gui/print_preview.h"
#include "gui/qt_host.h"
#include "support/temp_dir.h"

namespace dn::gui {
namespace {

class GuiPartsTest : public ::testing::Test {
  protected:
    void SetUp() override { dn::test::ensureGuiApp(); }
    dn::test::TempDir dir;
};

TEST_F(GuiPartsTest, PrintJobJoinsTextAndBreaksPages) {
    QtHost host;
    ASSERT_TRUE(host.open_drucker());
    host.drucke("Lieferant: ");
    host.drucke("Muster");
    host.druckeln(" GmbH");
    for (int i = 1; i <= 5; ++i) host.druckeln("Zeile " + std::to_string(i));
    host.druckeln("\fNeue Seite");
    host.drucke("Rest");
    PrintJob job = host.printJob();
    job.finish();
    ASSERT_EQ(job.lines().size(), 8);
    EXPECT_EQ(job.lines()[0], "Lieferant: Muster GmbH");
    EXPECT_EQ(job.lines().back(), "Rest");

    const auto pages = job.pages(4);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 4);
    EXPECT_EQ(pages[1], (QStringList{"Zeile 4", "Zeile 5"}));
    EXPECT_EQ(pages[2], (QStringList{"Neue Seite", "Rest"}));

    const QString pdf = QString::fromStdString((dir / "liste.pdf").string());
    EXPECT_TRUE(savePdf(job, pdf));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == "%PDF");
}

TEST_F(GuiPartsTest, EscapeAnywhereStopsTheRunningLoop) {
    QtHost host;
    QWidget mainWindow;
    host.setMainWindow(&mainWindow);
    auto escape = [&mainWindow] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&mainWindow, &press);
    };
    EXPECT_FALSE(host.EscPressed());
    host.Balken_Oeffnen("Artikel übernehmen", true);
    host.Balken_Max(3);
    host.Balken_Inc();
    EXPECT_FALSE(host.EscPressed());
    escape();
    EXPECT_TRUE(host.EscPressed());
    host.Balken_Schliessen();
    EXPECT_FALSE(host.EscPressed());

    host.PanelOn("Rabatte löschen");
    host.SetInfo("1-A1");
    EXPECT_FALSE(host.ESCPanel());
    escape();
    EXPECT_TRUE(host.ESCPanel());
    host.PanelOff();
    EXPECT_FALSE(host.ESCPanel());
}

TEST_F(GuiPartsTest, PatternsMatchWithoutCase) {
    struct Case {
        const char* name;
        bool matches;
    };
    const Case cases[] = {{"datanorm.001", true}, {"DATANORM.001", true},
                          {"Datanorm.wrg", true}, {"datpreis.001", false},
                          {"datanorm", false},    {"xdatanorm.001", false}};
    for (const auto& c : cases)
        EXPECT_EQ(matchesPattern(c.name, {"datanorm.*"}), c.matches) << c.name;
    EXPECT_TRUE(matchesPattern("DATPREIS.002", {"datanorm.*", "datpreis.*"}));
    EXPECT_TRUE(matchesPattern("egal.txt", {}));
}

TEST_F(GuiPartsTest, FileChoiceListsMatchingFilesAndReturnsMarkedPathsInOrder) {
    for (const char* name : {"DATANORM.003", "datanorm.001", "datanorm.002", "datpreis.001"})
        dn::test::writeFile(dir / name, "V");
    std::filesystem::create_directories(dir / "unter");
    FileRequest request;
    request.directory = dir.path().string();
    request.patterns = {"datanorm.*"};
    request.multiple = true;
    request.purpose = "a";
    EXPECT_TRUE(usesFileChoiceDialog(request));
    FileChoiceDialog dialog(request, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Dateiauswahl");
    QListWidget* files = dialog.fileList();
    ASSERT_EQ(files->count(), 3);
    EXPECT_EQ(files->item(0)->text(), "DATANORM.003");

    QString message;
    dn::test::closeNextMessage(&message);
    dialog.open();
    dialog.accept();
    EXPECT_EQ(message, "Sie haben keine Dateien markiert!");
    EXPECT_TRUE(dialog.isVisible());

    files->item(2)->setSelected(true);
    files->item(0)->setSelected(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosen(), (std::vector<std::string>{(dir / "DATANORM.003").string(),
                                                         (dir / "datanorm.002").string()}));

    request.purpose = "p";
    request.title = "Datanorm-Datei auswählen";
    EXPECT_FALSE(usesFileChoiceDialog(request));
}

TEST_F(GuiPartsTest, ManualHasASectionForEveryCommand) {
    QFile manual(QStringLiteral(":/manual/datanorm.html"));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(manual.readAll());
    for (const auto& c : commandTable())
        EXPECT_TRUE(html.contains(QStringLiteral("name=\"%1\"").arg(helpAnchor(c.number))))
            << c.number;
    EXPECT_TRUE(html.contains(QStringLiteral("name=\"%1\"").arg(helpAnchor(0))));
}

}  // namespace
}  // namespace dn::gui
