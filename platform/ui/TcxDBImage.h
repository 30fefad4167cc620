#pragma once
// An image bound to a field of a dataset: shows the picture held in that field of the
// dataset's current row (JPEG data), stretched to the control. Nothing is shown while the
// dataset is closed or empty, when the value is NULL or when it is not a picture.

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "platform/db/RemoteUdpDataSet.h"

class TcxDBImage : public QWidget {
    Q_OBJECT
  public:
    explicit TcxDBImage(QWidget* parent = nullptr);

    // The dataset is not owned; the image follows its opening, closing and row moves.
    void SetDataSet(TRemoteUdpDataSet* dataSet);
    TRemoteUdpDataSet* DataSet() const { return dataSet_; }
    void SetDataField(const QString& field);
    QString DataField() const { return field_; }
    // Stretch the picture to the control (otherwise it is drawn at its size, centred).
    void SetStretch(bool on);

    // The picture shown; null when there is none.
    const QImage& Picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void reload();

    QPointer<TRemoteUdpDataSet> dataSet_;
    QString field_;
    QImage picture_;
    bool stretch_ = true;
};
