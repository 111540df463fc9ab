#pragma once
// The application object of the desktop tests: one per test program, on
// the offscreen platform unless another one is asked for.

#include <QString>
#include <QWidget>
#include <functional>

namespace dn::test {

void ensureGuiApp();

// Runs `action` on the next modal window once the event loop shows it
// (a message box or a dialog opened with exec()).
void onNextModal(std::function<void(QWidget&)> action);

// Closes the next message box and hands its text to `text`.
void closeNextMessage(QString* text);

}  // namespace dn::test
