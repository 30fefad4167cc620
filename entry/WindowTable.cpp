#include "entry/WindowTable.h"

#include <array>

namespace morvane::entry {

namespace {

// clang-format off
constexpr std::array<TWindowRow, 43> kRows{{
    {"frm_OLAPHouseStockDis", "Tfrm_OLAPHouseStockDis", "仓库库存结构分析", "库存分析"},
    {"frm_OLAPMyShopStock", "Tfrm_OLAPMyShopStock", "自营店库存结构分析", "库存分析"},
    {"frm_OLAPclientStock", "Tfrm_OLAPclientStock", "加盟商库存结构分析", "库存分析"},
    {"frm_RationSort", "Tfrm_RationSort", "配货结构分析表", "订货配货"},
    {"frm_OLAPorder", "Tfrm_OLAPorder", "客户订货分析表", "订货配货"},
    {"frm_OLAPSale", "Tfrm_OLAPSale", "销售出仓分析表", "批发销售"},
    {"frm_OLAPorderDis", "Tfrm_OLAPorderDis", "订货分布结构表", "订货配货"},
    {"frm_OLAPOrderSort", "Tfrm_OLAPOrderSort", "商品订货结构表", "订货配货"},
    {"frm_OLAPAllStock", "Tfrm_OLAPAllStock", "商品库存分布报表", "库存分析"},
    {"frm_OLAPsaleDisc", "Tfrm_OLAPsaleDisc", "商品销售出仓分布表", "批发销售"},
    {"frm_OLAPRetailDisc", "Tfrm_OLAPRetailDisc", "店铺零售分布表", "店铺零售"},
    {"frm_OLAPPaymentMonth", "Tfrm_OLAPPaymentMonth", "销售回款月度分析总表", "往来结算"},
    {"frm_OLAPSaleMonth", "Tfrm_OLAPSaleMonth", "销售出仓月度分析总表", "批发销售"},
    {"frm_OLAPRecevingMonth", "Tfrm_OLAPRecevingMonth", "采购入库月度分析总表", "采购分析"},
    {"frm_OLAPPaymentsMonth", "Tfrm_OLAPPaymentsMonth", "采购付款月度分析总表", "往来结算"},
    {"frm_OLAPPaymentsYear", "Tfrm_OLAPPaymentsYear", "采购付款年度分析总表", "往来结算"},
    {"frm_OLAPPaymentYear", "Tfrm_OLAPPaymentYear", "销售回款年度分析总表", "往来结算"},
    {"frm_OLAPSaleYear", "Tfrm_OLAPSaleYear", "销售出仓年度分析总表", "批发销售"},
    {"frm_OLAPRecevingYear", "Tfrm_OLAPRecevingYear", "厂商到货年度分析总表", "采购分析"},
    {"frm_OLAPRetailMonth", "Tfrm_OLAPRetailMonth", "店铺零售月度分析总表", "店铺零售"},
    {"frm_OLAPRetailYear", "Tfrm_OLAPRetailYear", "店铺零售年度分析总表", "店铺零售"},
    {"frm_OLAPClientYear", "Tfrm_OLAPClientYear", "加盟商综合分析年度总表", "往来结算"},
    {"frm_OLAPClientMonth", "Tfrm_OLAPClientMonth", "加盟商综合分析月度总表", "往来结算"},
    {"frm_OLAPEmpSaleYear", "Tfrm_OLAPEmpSaleYear", "营业员业绩年度分析表", "店铺零售"},
    {"frm_OLAPEmpSaleMonth", "Tfrm_OLAPEmpSaleMonth", "营业员销售月度分析表", "店铺零售"},
    {"frm_OLAPRetailDiscount", "Tfrm_OLAPRetailDiscount", "店铺零售折扣分析报表", "店铺零售"},
    {"frm_SaLp_SortPrice", "Tfrm_SaLp_SortPrice", "零售大类价位分析表", "商品分析"},
    {"frm_SaLp_DeliSort", "Tfrm_SaLp_DeliSort", "批发销售大类价位分析表", "商品分析"},
    {"frm_SaLp_GoodsPrice", "Tfrm_SaLp_GoodsPrice", "商品大类价位结构表", "商品分析"},
    {"frm_SaLp_ShopSort", "Tfrm_SaLp_ShopSort", "店铺/类别零售二维分析表", "商品分析"},
    {"frm_SaLp_SaleSort", "Tfrm_SaLp_SaleSort", "批发出货商品类别分布表", "商品分析"},
    {"frm_SaLp_RetailStock", "Tfrm_SaLp_RetailStock", "店铺零售商品存销比分析表", "商品分析"},
    {"frm_SaLp_RatialStockSort", "Tfrm_SaLp_RatialStockSort", "零售商品大类存销比分析表", "商品分析"},
    {"frm_SaLp_SalePurchase", "Tfrm_SaLp_SalePurchase", "商品出货/采购对比分析表", "采购分析"},
    {"frm_SalPBchargesDay", "Tfrm_SalPBchargesDay", "费用开支综合日报表", "费用分析"},
    {"frm_SalpBchargesMonth", "Tfrm_SalpBchargesMonth", "费用开支综合月报表", "费用分析"},
    {"frm_SsaleRece", "Tfrm_SsaleRece", "进货批次零售分析表", "店铺零售"},
    {"frm_OLAPknufeTrance", "Tfrm_OLAPknufeTrance", "裁片发外跟踪总表", "生产分析"},
    {"frm_NewGoodsRetail", "Tfrm_NewGoodsRetail", "商品上市时段结构分析", "商品分析"},
    {"frm_ShopGoodsTotal", "Tfrm_ShopGoodsTotal", "店铺货品综合分析表", "店铺零售"},
    {"frm_SalpBchargesYear", "Tfrm_SalpBchargesYear", "费用开支综合年报表", "费用分析"},
    {"frm_GmKnufeEmp", "Tfrm_GmKnufeEmp", "生产状况表", "生产分析"},
    {"frm_KnufeFlagDay", "Tfrm_KnufeFlagDay", "工序日报表", "生产分析"},
}};
// clang-format on

}  // namespace

std::span<const TWindowRow> WindowTable() {
    return kRows;
}

int FindWindowRow(const QString& windowName) {
    const QString wanted = windowName.toLower();
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (QString::fromLatin1(kRows[i].name).toLower() == wanted)
            return int(i);
    }
    return -1;
}

}  // namespace morvane::entry
