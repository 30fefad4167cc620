#include "demo/ReportWindows.h"

namespace morvane::demo {

const ReportWindow kReportWindows[] = {
    {"frm_OLAPHouseStockDis", "仓库库存结构分析", "库存分析"},
    {"frm_OLAPMyShopStock", "自营店库存结构分析", "库存分析"},
    {"frm_OLAPclientStock", "加盟商库存结构分析", "库存分析"},
    {"frm_RationSort", "配货结构分析表", "订货配货"},
    {"frm_OLAPorder", "客户订货分析表", "订货配货"},
    {"frm_OLAPSale", "销售出仓分析表", "批发销售"},
    {"frm_OLAPorderDis", "订货分布结构表", "订货配货"},
    {"frm_OLAPOrderSort", "商品订货结构表", "订货配货"},
    {"frm_OLAPAllStock", "商品库存分布报表", "库存分析"},
    {"frm_OLAPsaleDisc", "商品销售出仓分布表", "批发销售"},
    {"frm_OLAPRetailDisc", "店铺零售分布表", "店铺零售"},
    {"frm_OLAPPaymentMonth", "销售回款月度分析总表", "往来结算"},
    {"frm_OLAPSaleMonth", "销售出仓月度分析总表", "批发销售"},
    {"frm_OLAPRecevingMonth", "采购入库月度分析总表", "采购分析"},
    {"frm_OLAPPaymentsMonth", "采购付款月度分析总表", "往来结算"},
    {"frm_OLAPPaymentsYear", "采购付款年度分析总表", "往来结算"},
    {"frm_OLAPPaymentYear", "销售回款年度分析总表", "往来结算"},
    {"frm_OLAPSaleYear", "销售出仓年度分析总表", "批发销售"},
    {"frm_OLAPRecevingYear", "厂商到货年度分析总表", "采购分析"},
    {"frm_OLAPRetailMonth", "店铺零售月度分析总表", "店铺零售"},
    {"frm_OLAPRetailYear", "店铺零售年度分析总表", "店铺零售"},
    {"frm_OLAPClientYear", "加盟商综合分析年度总表", "往来结算"},
    {"frm_OLAPClientMonth", "加盟商综合分析月度总表", "往来结算"},
    {"frm_OLAPEmpSaleYear", "营业员业绩年度分析表", "店铺零售"},
    {"frm_OLAPEmpSaleMonth", "营业员销售月度分析表", "店铺零售"},
    {"frm_OLAPRetailDiscount", "店铺零售折扣分析报表", "店铺零售"},
    {"frm_SaLp_SortPrice", "零售大类价位分析表", "商品分析"},
    {"frm_SaLp_DeliSort", "批发销售大类价位分析表", "商品分析"},
    {"frm_SaLp_GoodsPrice", "商品大类价位结构表", "商品分析"},
    {"frm_SaLp_ShopSort", "店铺/类别零售二维分析表", "商品分析"},
    {"frm_SaLp_SaleSort", "批发出货商品类别分布表", "商品分析"},
    {"frm_SaLp_RetailStock", "店铺零售商品存销比分析表", "商品分析"},
    {"frm_SaLp_RatialStockSort", "零售商品大类存销比分析表", "商品分析"},
    {"frm_SaLp_SalePurchase", "商品出货/采购对比分析表", "采购分析"},
    {"frm_SalPBchargesDay", "费用开支综合日报表", "费用分析"},
    {"frm_SalpBchargesMonth", "费用开支综合月报表", "费用分析"},
    {"frm_SsaleRece", "进货批次零售分析表", "店铺零售"},
    {"frm_OLAPknufeTrance", "裁片发外跟踪总表", "生产分析"},
    {"frm_NewGoodsRetail", "商品上市时段结构分析", "商品分析"},
    {"frm_ShopGoodsTotal", "店铺货品综合分析表", "店铺零售"},
    {"frm_SalpBchargesYear", "费用开支综合年报表", "费用分析"},
    {"frm_GmKnufeEmp", "生产状况表", "生产分析"},
    {"frm_KnufeFlagDay", "工序日报表", "生产分析"},
};

const std::size_t kReportWindowCount = sizeof kReportWindows / sizeof kReportWindows[0];

}  // namespace morvane::demo
