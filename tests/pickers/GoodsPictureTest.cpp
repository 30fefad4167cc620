// The goods picture window: a JPEG from the picture dataset, an empty result, and the one
// shared window that closing frees.

#include <QCoreApplication>

#include "pickers/unt_BillGoodsBmp.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxDBImage.h"
#include "session/totalpub1.h"
#include "tests/pickers/PickerFixture.h"

namespace morvane::test {
namespace {

class GoodsPictureTest : public PickerTest {};

TEST_F(GoodsPictureTest, ShowsTheJpegOfTheGoodsAndNothingWithoutOne) {
    TRemoteUdpDataSet ads_GoodsImage;
    OpenQuery(&ads_GoodsImage, CorpusStatement("base_OLAPreport.goodsimage.sql"));
    ASSERT_EQ(ads_GoodsImage.GetRecordCount(), 1);

    frm_BillGoodsBmp = new Tfrm_BillGoodsBmp();
    frm_BillGoodsBmp->Create();
    frm_BillGoodsBmp->cxDBImage1->SetDataSet(&ads_GoodsImage);
    EXPECT_TRUE(frm_BillGoodsBmp->isVisible());
    EXPECT_EQ(frm_BillGoodsBmp->Caption(), QStringLiteral("图片显示"));
    EXPECT_EQ(frm_BillGoodsBmp->size(), QSize(514, 327));
    const QImage& picture = frm_BillGoodsBmp->cxDBImage1->Picture();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(64, 64));
    // Stretched over the window: the corners of the control are painted from the picture.
    const QImage shot = frm_BillGoodsBmp->cxDBImage1->grab().toImage();
    EXPECT_NE(shot.pixelColor(2, 2), QColor(Qt::white));

    // The picture follows the dataset: a goods number without a picture shows none.
    OpenQuery(&ads_GoodsImage, "select top 1 fimage from goodsImage where fgoodsid='NOSUCH'");
    EXPECT_TRUE(frm_BillGoodsBmp->cxDBImage1->Picture().isNull());
    ads_GoodsImage.Close();
    EXPECT_TRUE(frm_BillGoodsBmp->cxDBImage1->Picture().isNull());

    // Closing frees the window and clears the shared reference.
    QPointer<Tfrm_BillGoodsBmp> window = frm_BillGoodsBmp;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(frm_BillGoodsBmp, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

}  // namespace
}  // namespace morvane::test
