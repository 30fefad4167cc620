// Users, groups, rights and user scope of the demo database.

#include <string>

#include "demo/Model.h"
#include "demo/SqliteDb.h"
#include "entry/WindowTable.h"

namespace morvane::demo {

namespace {

bool isProductionList(const std::string& caption) {
    return caption == "生产状况表" || caption == "工序日报表" || caption == "裁片发外跟踪总表";
}

bool isStockOrPurchaseList(const std::string& menu) {
    return menu == "库存分析" || menu == "采购分析";
}

}  // namespace

void writeAccessData(SqliteDb& db, const Master& m) {
    {
        Insert users(db, "sysuser", {"userno", "username", "fmemo"});
        users.row("001", "管理员", "不限客户、仓库、品牌；全部权限");
        users.row("002", "陈明", "华东区经理：限华东客户、两个仓库、两个品牌");
        users.row("003", "林晓燕", "店铺督导：客户行全部标记 fstockbit，等于不限客户");
        users.row("004", "周静", "财务：不限范围，没有 Excel 权限");
        users.row("005", "赵强", "仓库主管：只有库存和采购报表的权限，限两个仓库");
        users.row("006", "孙佳怡", "实习生：不属于任何权限组");
    }
    {
        Insert groups(db, "usermain", {"fgroupid", "fgroupname"});
        groups.row("01", "系统管理员");
        groups.row("02", "区域经理");
        groups.row("03", "督导组");
        groups.row("04", "财务组");
        groups.row("05", "仓储组");
        Insert members(db, "usermainde", {"fgroupid", "userno"});
        members.row("01", "001");
        members.row("02", "002");
        members.row("03", "003");
        members.row("04", "004");
        members.row("05", "005");
    }
    {
        Insert lists(db, "dr_right", {"autoid", "listname", "fformname", "fmenuname"});
        Insert rights(db, "dr_rightdetail",
                      {"autoid", "groupid", "b_add", "b_edit", "b_del", "b_browse", "b_posted",
                       "b_print", "b_excel", "b_unposted"});
        // One rights list per report window, named after its caption.
        const auto windows = morvane::entry::WindowTable();
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const morvane::entry::TWindowRow& w = windows[i];
            const int id = int(i) + 1;
            const std::string caption = w.caption;
            lists.row(id, w.caption, w.name, w.family);
            rights.row(id, "01", 1, 1, 1, 1, 1, 1, 1, 1);
            if (caption == "费用开支综合年报表")
                rights.row(id, "02", 0, 0, 0, 0, 0, 0, 0, 0);  // a row that allows nothing
            else if (!isProductionList(caption))
                rights.row(id, "02", 0, 0, 0, 1, 0, 1, 1, 0);
            rights.row(id, "03", 0, 0, 0, 1, 0, 1, 1, 0);
            rights.row(id, "04", 0, 0, 0, 1, 1, 1, 0, 1);
            if (isStockOrPurchaseList(w.family))
                rights.row(id, "05", 0, 0, 0, 1, 0, 1, 1, 0);
        }
    }
    {
        Insert clients(db, "userclient", {"fgroupid", "fclientcode", "fstockbit"});
        // 002: the East China partners; two of them flagged, which drops them.
        int flagged = 0;
        for (const Client& c : m.clients) {
            if (m.areas[std::size_t(c.area)].region != "华东" || c.noBusiness)
                continue;
            const bool flag = c.kind == ClientKind::Franchise && flagged < 2;
            if (flag)
                ++flagged;
            clients.row("002", c.code, flag ? 1 : 0);
        }
        // 003: rows for every self-operated shop, all flagged: no restriction.
        for (const Client& c : m.clients)
            if (c.kind == ClientKind::SelfShop)
                clients.row("003", c.code, 1);

        Insert brands(db, "userbrand", {"fgroupid", "fbrand"});
        brands.row("002", "莫凡");
        brands.row("002", "雅岚");

        Insert houses(db, "userhouse", {"fgroupid", "fhousecode", "fstockbit", "fdefaultbit"});
        houses.row("002", "CK01", 0, 1);
        houses.row("002", "CK02", nullptr, 0);  // NULL counts as not set: listed
        houses.row("002", "CK05", 1, 0);        // flagged: not listed
        houses.row("005", "CK01", 0, 1);
        houses.row("005", "CK04", 0, 0);
    }
}

}  // namespace morvane::demo
