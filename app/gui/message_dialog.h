#pragma once
// Messages and yes/no questions. A text that fits the screen goes into the
// standard message box; a longer one into a box whose text scrolls, so
// that its buttons stay in view.

#include <QMessageBox>
#include <QString>

class QWidget;

namespace dn::gui {

// Whether the text needs the scrolling box on the parent's screen.
bool messageTooLong(const QWidget* parent, const QString& text);
// A message with an OK button.
void showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                 const QString& text);
// A question answered "&Ja" (true) or "&Nein".
bool askYesNo(QWidget* parent, const QString& title, const QString& text);

}  // namespace dn::gui
