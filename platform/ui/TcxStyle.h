#pragma once
// A shared visual style (background colour) that grids and pivot grids take for some of their
// cells. Owned through its Qt parent.

#include <QColor>
#include <QObject>

#include "platform/ui/Colors.h"

class TcxStyle : public QObject {
    Q_OBJECT
  public:
    explicit TcxStyle(QObject* owner = nullptr);

    morvane::ui::TColor Color() const { return color_; }
    void SetColor(morvane::ui::TColor color);
    // The colour as painted.
    QColor QtColor() const { return morvane::ui::ToQColor(color_); }

  signals:
    void changed();

  private:
    morvane::ui::TColor color_ = morvane::ui::clDefault;
};
