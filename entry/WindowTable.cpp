#include "entry/WindowTable.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <array>

#include "entry/totalpub1.h"
#include "framework/unt_basefrm.h"
#include "framework/unt_basefrmClasses.h"
#include "platform/ui/HostInterface.h"

namespace morvane::entry {

namespace {

constexpr std::array<const char*, 43> kWindowNames{
    "frm_OLAPHouseStockDis", "frm_OLAPMyShopStock",    "frm_OLAPclientStock",
    "frm_RationSort",        "frm_OLAPorder",          "frm_OLAPSale",
    "frm_OLAPorderDis",      "frm_OLAPOrderSort",      "frm_OLAPAllStock",
    "frm_OLAPsaleDisc",      "frm_OLAPRetailDisc",     "frm_OLAPPaymentMonth",
    "frm_OLAPSaleMonth",     "frm_OLAPRecevingMonth",  "frm_OLAPPaymentsMonth",
    "frm_OLAPPaymentsYear",  "frm_OLAPPaymentYear",    "frm_OLAPSaleYear",
    "frm_OLAPRecevingYear",  "frm_OLAPRetailMonth",    "frm_OLAPRetailYear",
    "frm_OLAPClientYear",    "frm_OLAPClientMonth",    "frm_OLAPEmpSaleYear",
    "frm_OLAPEmpSaleMonth",  "frm_OLAPRetailDiscount", "frm_SaLp_SortPrice",
    "frm_SaLp_DeliSort",     "frm_SaLp_GoodsPrice",    "frm_SaLp_ShopSort",
    "frm_SaLp_SaleSort",     "frm_SaLp_RetailStock",   "frm_SaLp_RatialStockSort",
    "frm_SaLp_SalePurchase", "frm_SalPBchargesDay",    "frm_SalpBchargesMonth",
    "frm_SsaleRece",         "frm_OLAPknufeTrance",    "frm_NewGoodsRetail",
    "frm_ShopGoodsTotal",    "frm_SalpBchargesYear",   "frm_GmKnufeEmp",
    "frm_KnufeFlagDay",
};

}  // namespace

std::span<const char* const> WindowNames() {
    return kWindowNames;
}

int FindWindowRow(const QString& windowName) {
    const QString wanted = windowName.toLower();
    for (std::size_t i = 0; i < kWindowNames.size(); ++i) {
        if (QString::fromLatin1(kWindowNames[i]).toLower() == wanted)
            return int(i);
    }
    return -1;
}

std::vector<TWindowListing> RegisteredWindows() {
    std::vector<TWindowListing> out;
    for (const char* name : kWindowNames) {
        if (const framework::TWindowClass* cls = framework::FindWindowClass(name)) {
            out.push_back({QString::fromLatin1(name), cls->caption});
        }
    }
    return out;
}

Tbase_frm* OpenWindowRow(int row) {
    const framework::TWindowClass* cls = framework::FindWindowClass(kWindowNames[row]);
    if (!cls)
        return nullptr;
    if (Tbase_frm* open = cls->instance())
        return open;

    Tbase_frm* window = cls->construct();
    QMdiSubWindow* frame = nullptr;
    QMdiArea* area = pub_mainform ? pub_mainform->MdiArea() : nullptr;
    if (window->FormStyle() == ui::fsMDIChild && area) {
        frame = area->addSubWindow(window);
        frame->setAttribute(Qt::WA_DeleteOnClose);
    }
    // Should the window go some other way than through its own close handler, the row must
    // not keep a dangling window.
    QObject::connect(window, &QObject::destroyed, [cls, window] {
        if (cls->instance() == window)
            cls->setInstance(nullptr);
    });
    window->Create();
    cls->setInstance(window);
    if (frame) {
        frame->show();
    } else {
        window->show();
    }
    return window;
}

}  // namespace morvane::entry
