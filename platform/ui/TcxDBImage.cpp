#include "platform/ui/TcxDBImage.h"

#include <QPainter>

#include "platform/db/Field.h"
#include "platform/db/RemoteUdpDataSet.h"

TcxDBImage::TcxDBImage(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void TcxDBImage::SetDataSet(TRemoteUdpDataSet* dataSet) {
    if (dataSet_)
        disconnect(dataSet_, nullptr, this, nullptr);
    dataSet_ = dataSet;
    if (dataSet_) {
        connect(dataSet_, &TRemoteUdpDataSet::dataChanged, this, &TcxDBImage::reload);
        connect(dataSet_, &TRemoteUdpDataSet::activeChanged, this, &TcxDBImage::reload);
        connect(dataSet_, &TRemoteUdpDataSet::currentRowChanged, this, &TcxDBImage::reload);
        connect(dataSet_, &QObject::destroyed, this, &TcxDBImage::reload);
    }
    reload();
}

void TcxDBImage::SetDataField(const QString& field) {
    field_ = field;
    reload();
}

void TcxDBImage::SetStretch(bool on) {
    stretch_ = on;
    update();
}

void TcxDBImage::reload() {
    picture_ = QImage();
    if (dataSet_ && dataSet_->Active() && !dataSet_->ControlsDisabled()) {
        const long long row = dataSet_->CurrentRow();
        TField* field = dataSet_->FindField(field_);
        if (row >= 0 && field) {
            // The raw bytes of the cell: a picture is binary and must not pass through text.
            const morvane::db::Cell cell =
                dataSet_->table().cell(static_cast<std::size_t>(row), field->Index());
            if (cell.kind == morvane::db::CellKind::Blob ||
                cell.kind == morvane::db::CellKind::Text) {
                picture_ = QImage::fromData(reinterpret_cast<const uchar*>(cell.bytes.data()),
                                            static_cast<int>(cell.bytes.size()), "JPG");
            }
        }
    }
    update();
}

void TcxDBImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_) {
        p.drawImage(rect(), picture_);
    } else {
        p.drawImage((width() - picture_.width()) / 2, (height() - picture_.height()) / 2, picture_);
    }
}
