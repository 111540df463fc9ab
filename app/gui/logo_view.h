#pragma once
// The main window's client area with the host logo: the small or large
// picture of the logo file by window size, or a default logo of our own
// when the file is missing; centred five pixels above the middle, hidden
// while a command runs.

#include <QPixmap>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "gui/logo_file.h"

namespace dn::gui {

class LogoView : public QWidget {
    Q_OBJECT
  public:
    // `message` shows the host message for an unsupported picture.
    LogoView(std::filesystem::path logoFile, std::function<void(const QString&)> message,
             QWidget* parent = nullptr);

    // Chooses the picture for the window size; reads the file only when
    // the variant changes.
    void choose(QSize windowSize);
    // `logoVariant` reset: the next choice reads the file again.
    void resetVariant() { variant_ = kNoLogo; }
    void setLogoVisible(bool on);

    LogoVariant variant() const { return variant_; }
    bool usesDefaultLogo() const { return useDefault_; }
    bool logoVisible() const { return visible_; }
    QSize pictureSize() const;
    // Where the picture is drawn in the client area.
    QRect pictureRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void drawDefaultLogo(QPainter& painter, const QRect& area) const;

    std::filesystem::path file_;
    std::function<void(const QString&)> message_;
    QPixmap picture_;
    LogoVariant variant_ = kNoLogo;
    bool useDefault_ = false;
    bool visible_ = false;
};

}  // namespace dn::gui
