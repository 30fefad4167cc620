#!/usr/bin/env python3
"""Writes the statement corpus under tests/corpus/data.

Every statement is assembled here exactly as the window concatenates it:
fixed texts, filter clauses under their conditions, one carriage return
(\\r) as the line break.  Values that a user picks (codes, dates, year,
month, category) come from the block below; README.md in the data folder
lists which file was built with which values.

Run:  python3 tests/corpus/make_corpus.py   (rewrites data/*.sql, columns.tsv)
"""

import os
import sys

R = "\r"  # the line break of every statement

# ---------------------------------------------------------------------------
# Values chosen for the corpus.  Codes are in the form the pickers produce.
# They are taken from the demo database of demo/ (scale 1, default seed).
# ---------------------------------------------------------------------------
V = {
    "userno": "002",  # the demo's restricted user (clients, warehouses and brands limited)
    "listname": "销售出仓月度分析总表",
    "logdate": "2025-03-15",
    "logtime": "15:30:46",
    "year": "2025",
    "month": "3",
    # date ranges written by the short date format yyyy-mm-dd
    "d1": "2025-01-01",
    "d2": "2025-06-30",
    "i1": "2025-01-01",
    "i2": "2025-06-30",
    # always-on ranges of the windows without a date check box, wide enough
    # to cover the demo documents in the plain state
    "wide1": "2025-01-01",
    "wide2": "2025-12-31",
    # picker code lists
    "sel_client": "'ZY002','JM002','PF003'",
    "sel_shop": "'ZY002','ZY008','JM002'",
    "sel_goods": "'YL251006','MF251008','MF252008','MF254005','YL253002'",
    "sel_house": "'CK01','CK03'",
    "sel_supplier": "'S002','S003','S011'",
    "sel_knufe": "'CC202503000002','CC202503000004'",
    # user scope of the restricted user
    "pub_clientcodes": "'ZY002','ZY008','JM002','PF003','ZG004'",
    "pub_housecodes": "'CK01','CK02'",
    "pub_brandcodes": "'莫凡','雅岚'",
    # one shop chosen in the shop-assistant windows' lookup box
    "emp_shop": "ZY001",
    # one cutting bill chosen in the production status window
    "knufe_bill": "CC202503000002",
    # sample row of the process day report (first output record of the month)
    "flag_p": ("2", "08251014", "05", "钉扣"),
    # goods category: label and resolved column of table goods
    "sort_label": "类别",
    "sort_col": "sort",
    # number of size columns (pub_sizecount) and the size names of the size
    # class holding the highest display index, in display order
    "sizecount": 10,
    "size_names": ["XS", "S", "M", "L", "XL", "XXL", "XXXL", "4XL", "5XL", "6XL"],
    # goods picker: attribute values ticked in the tree and typed texts
    "tree": [("ayear", ["2025", "2026"]), ("season", ["春"])],
    "goods_like": "25",
    "attr_label": "年份",
    "goods_picture": "YL251006",
    # client picker search texts
    "client_search": {
        "mathod": "加盟",
        "grad": "经销商",
        "pricetype": "按折扣",
        "fcode": "JM",
        "fabbrev": "店",
    },
    "supplier_search": {"code": "S00", "abbrev": "制衣"},
    "knufe_search": {"goodsid": "0", "cutno": "1", "d1": "2025-02-13", "d2": "2025-03-15"},
    "newgoods_n_filtered": 10,
}

files = {}  # name -> statement text
columns = {}  # name -> list of result column names
notes = []  # README lines: (name, text)


CURRENT = None  # filter state of the loop that is writing files (for the README)


def track(states):
    """Iterates (tag, state, ...) tuples, remembering the state for put()."""
    global CURRENT
    for item in states:
        CURRENT = item[1]
        yield item
    CURRENT = None


def state_note(st, text):
    """Describes the parts of a state that reached the statement text."""
    parts = []
    for label, val in (("sel_client", st.sel_client), ("sel_goods", st.sel_goods), ("sel_house", st.sel_house),
                       ("sel_supplier", st.sel_supplier)):
        if val and ("in(" + val + ")") in text:
            parts.append("%s %s" % (label, val))
    if (st.bill or st.always) and ("'" + st.d1 + "'") in text:
        parts.append("%s %s..%s" % ("date range (always applied)" if st.always else "oderdate_check on", st.d1, st.d2))
    if st.input and "finputdate" in text:
        parts.append("modidate_check on %s..%s" % (st.i1, st.i2))
    if st.posted and "fposted=1" in text:
        parts.append("postedcheck on")
    if st.size:
        parts.append("size detail on")
    scope = [label for label, val in (("clients", st.cc), ("warehouses", st.hh), ("brands", st.bb))
             if val and ("in(" + val + ")") in text]
    if scope:
        parts.append("restricted user (%s scope)" % ", ".join(scope))
    elif st.restricted:
        parts.append("restricted user (the window applies no scope)")
    else:
        parts.append("unrestricted user")
    return "; ".join(parts)


def put(name, text, cols=None, note=""):
    if not note and CURRENT is not None:
        note = state_note(CURRENT, text)
    assert name not in files, name
    assert "\n" not in text, name
    files[name] = text
    if cols is not None:
        columns[name] = cols
    notes.append((name, note))


def q(text):
    return "'" + text + "'"


def dq(text):
    """A typed text as the plug-in splices it: apostrophes doubled."""
    return text.replace("'", "''")


def inlist(prefix, lst, br=True):
    """' and <col> in(<list>)' + line break, only for a non-empty list."""
    if not lst:
        return ""
    return prefix + "(" + lst + ")" + (R if br else "")


def size_columns(n):
    return ",".join("sum(isnull(a.s%d,0)) as [尺码%d]" % (i, i) for i in range(1, n + 1))


def size_aliases(n):
    return ["尺码%d" % i for i in range(1, n + 1)]


class State:
    """Filter state of a report window plus the user's scope."""

    def __init__(self, **kw):
        self.sel_client = kw.get("sel_client", "")
        self.sel_goods = kw.get("sel_goods", "")
        self.sel_house = kw.get("sel_house", "")
        self.sel_supplier = kw.get("sel_supplier", "")
        self.bill = kw.get("bill", False)  # oderdate_check
        self.input = kw.get("input", False)  # modidate_check
        self.posted = kw.get("posted", False)
        self.size = kw.get("size", False)
        self.restricted = kw.get("restricted", False)
        self.always = kw.get("always", False)  # range without a check box
        self.d1, self.d2 = kw.get("d1", V["d1"]), kw.get("d2", V["d2"])
        self.i1, self.i2 = V["i1"], V["i2"]

    @property
    def cc(self):  # pub_clientcodes when it applies
        return V["pub_clientcodes"] if self.restricted else ""

    @property
    def hh(self):
        return V["pub_housecodes"] if self.restricted else ""

    @property
    def bb(self):
        return V["pub_brandcodes"] if self.restricted else ""

    def billclause(self, col="b.fbilldate"):
        if not self.bill:
            return ""
        return (" and " + col + ">=" + q(self.d1) + " and " + col + "<=" + q(self.d2) + R)

    def inputclause(self, col="b.finputdate"):
        if not self.input:
            return ""
        return (" and " + col + ">=" + q(self.i1) + " and " + col + "<=" + q(self.i2) + R)


PLAIN = State()


def filtered(**kw):
    base = dict(
        sel_client=V["sel_client"],
        sel_goods=V["sel_goods"],
        sel_house=V["sel_house"],
        sel_supplier=V["sel_supplier"],
        bill=True,
        restricted=True,
    )
    base.update(kw)
    return State(**base)


# ---------------------------------------------------------------------------
# Session: data module, user scope, usage log, rights
# ---------------------------------------------------------------------------
def session():
    u = V["userno"]
    put("session.sizecount.sql", "select max(displayindex) as scount from ba_size", ["scount"],
        "data module: number of size columns")
    put("session.userclient.sql",
        "select fclientcode,isnull(fstockbit,0) fstockbit  from userclient where fgroupid='" + u + "'",
        ["fclientcode", "fstockbit"], "user scope: clients, user " + u)
    put("session.userbrand.sql", "select fbrand from userbrand where fgroupid='" + u + "'", ["fbrand"],
        "user scope: brands, user " + u)
    put("session.userhouse.sql", "select * from userhouse where fgroupid='" + u + "'", None,
        "user scope: warehouses, user " + u)
    for state, tag in (("进入", "enter"), ("离开", "leave")):
        text = ("insert into syslog(logindate,begintime,userno,clientname,modename,fbillid,fstate)values('"
                + V["logdate"] + "'" + "," + "'" + V["logtime"] + "'" + "," + "'" + u + "'" + "," + R
                + "'" + "" + "'" + "," + "'" + "销售出仓月度分析总表" + "'" + "," + "'" + "" + "'" + ","
                + "'" + state + "'" + ")")
        put("usagelog." + tag + ".sql", text, None,
            "usage log row, caption 销售出仓月度分析总表, state " + state + ", date "
            + V["logdate"] + " time " + V["logtime"])
    text = ("select top 1 a.* from dr_rightdetail a,dr_right b where a.autoid=b.autoid" + R
            + "and(a.b_add=1 or a.b_edit=1 or a.b_del=1 or a.b_browse=1 or a.b_posted=1 or a.b_print=1 or a.b_excel=1 or a.b_unposted=1)"
            + R + "and(a.groupid in(select fgroupid from usermainde where userno='" + u + "'"
            + "))and(b.listname=" + "'" + V["listname"] + "'" + ")")
    put("base_frm.rights.sql", text, None, "rights lookup, user " + u + ", list name " + V["listname"])
    put("base_OLAPreport.goodsimage.sql",
        "select top 1 fimage from goodsImage where fgoodsid='" + V["goods_picture"] + "'", ["fimage"],
        "F7 goods picture (report windows, shop goods workbook), goods " + V["goods_picture"])


# ---------------------------------------------------------------------------
# Pickers
# ---------------------------------------------------------------------------
def pickers():
    cc = V["pub_clientcodes"]
    put("frm_selectClient.initial.sql", "select * from fn_checkclient('') where 1=1", None,
        "client picker list, unrestricted user")
    put("frm_selectClient.initial_scoped.sql",
        "select * from fn_checkclient('') where 1=1" + " and fcode in(" + cc + ")", None,
        "client picker list, restricted user")
    put("frm_selectClient.search_plain.sql", "select * from fn_checkclient('') " + "where 1=1 ", None,
        "client picker search, all texts empty, unrestricted user")
    s = V["client_search"]
    cond = ("where 1=1 " + " and fmathod=" + q(s["mathod"]) + " and fgrad=" + q(s["grad"])
            + " and fprice_type=" + q(s["pricetype"]) + " and fcode like " + q("%" + s["fcode"] + "%")
            + " and fabbrev like " + q("%" + s["fabbrev"] + "%") + " and fcode in(" + cc + ")")
    put("frm_selectClient.search_filtered.sql", "select * from fn_checkclient('') " + cond, None,
        "client picker search, all five texts filled (%s), restricted user" % ", ".join(s.values()))

    # A typed text with an apostrophe: the plug-in doubles it before splicing.
    typed = "O'Neil"
    put("frm_selectClient.search_quote.sql",
        "select * from fn_checkclient('') " + "where 1=1 " + " and fabbrev like " + q("%" + dq(typed) + "%"), None,
        "client picker search, short name typed as %s (apostrophe doubled), unrestricted user" % typed)

    put("frm_selectgoods.attributes.sql",
        "select * from dbo.ba_fieldremark where ftablename='goods' and visiblebit=1 order by fid", None,
        "goods picker tree: attributes")
    put("frm_selectgoods.values.sql",
        "select * from dbo.ba_fieldvalues where ftablename='goods'" + R
        + " and ffieldname in(select fname from ba_fieldremark where ftablename='goods' and visiblebit=1)",
        None, "goods picker tree: attribute values")
    put("frm_selectgoods.fieldname.sql",
        "select fname from ba_fieldremark where ftablename='goods' and visiblebit=1 and fFieldremark='"
        + V["attr_label"] + "'" + " order by ftablename,fid", ["fname"],
        "goods picker search: column of the partly ticked attribute " + V["attr_label"])
    head = ("select checkid,goodsid,goodsname,ayear,season,brand,unit,sort,item,sex,size_class,unitprice,strat,inputdate from fn_checkgoods('') where 1=1 "
            + R)
    gcols = "checkid,goodsid,goodsname,ayear,season,brand,unit,sort,item,sex,size_class,unitprice,strat,inputdate".split(",")
    put("frm_selectgoods.search_plain.sql", head, gcols,
        "goods picker search, nothing ticked, no text, unrestricted user")
    c = ""
    for col, vals in V["tree"]:
        c += "(" + col + " in(" + ",".join(q(v) for v in vals) + "))and"
    c = c[:-3]
    text = (head + " and brand in(" + V["pub_brandcodes"] + ")" + R + " and " + c
            + " and goodsid like " + q("%" + V["goods_like"] + "%"))
    put("frm_selectgoods.search_quote.sql", head + " and goodsid like " + q("%" + dq("MF'25") + "%"), gcols,
        "goods picker search, goods text MF'25 (apostrophe doubled), unrestricted user")
    put("frm_selectgoods.search_filtered.sql", text, gcols,
        "goods picker search, restricted brands, two partly ticked attributes %s, goods text '%s'"
        % (V["tree"], V["goods_like"]))

    put("frm_selectSupplier.search_plain.sql", "select * from fn_checksupplier('') where 1=1 ", None,
        "supplier picker list (both texts empty)")
    s = V["supplier_search"]
    put("frm_selectSupplier.search_filtered.sql",
        "select * from fn_checksupplier('') where 1=1 " + " and fcode like " + q("%" + s["code"] + "%")
        + " and fabbrev like " + q("%" + s["abbrev"] + "%"), None,
        "supplier picker search, code '%s', name '%s'" % (s["code"], s["abbrev"]))
    put("frm_selectHouse.initial.sql", "select * from fn_checkhouse('') where 1=1 ", None,
        "warehouse picker list, unrestricted user")
    put("frm_selectHouse.initial_scoped.sql",
        "select * from fn_checkhouse('') where 1=1 " + " and fcode in(" + V["pub_housecodes"] + ")", None,
        "warehouse picker list, restricted user")

    k = V["knufe_search"]
    base = ("select b.fbillid,b.fbilldate,b.fmanualid,b.fgoodsid,c.goodsname,b.fcutno,sum(isnull(a.fqty,0)) fqty"
            + R + " from gm_knufede a join gm_knufe b on a.fbillid=b.fbillid" + R
            + "join goods c on b.fgoodsid=c.goodsid where 1=1" + R)
    date = " and b.fbilldate>=" + q(k["d1"]) + " and b.fbilldate<=" + q(k["d2"]) + R
    grp = " group by b.fbillid,b.fbilldate,b.fmanualid,b.fgoodsid,c.goodsname,b.fcutno"
    kcols = ["fbillid", "fbilldate", "fmanualid", "fgoodsid", "goodsname", "fcutno", "fqty"]
    put("frm_SelectKnufe.default.sql", base + date + grp, kcols,
        "cutting-bill picker on opening: date box ticked, %s to %s" % (k["d1"], k["d2"]))
    put("frm_SelectKnufe.nodate.sql", base + grp, kcols, "cutting-bill picker, date box unticked")
    put("frm_SelectKnufe.filtered.sql",
        base + date + " and b.fgoodsid like " + q("%" + k["goodsid"] + "%") + " and b.fcutno=" + q(k["cutno"]) + grp,
        kcols, "cutting-bill picker, dates %s to %s, style text '%s', cut number '%s'"
        % (k["d1"], k["d2"], k["goodsid"], k["cutno"]))


# ---------------------------------------------------------------------------
# The month windows: one row per partner and day of the month (sales, retail, receipts,
# payments in and out)
# ---------------------------------------------------------------------------
def monthly():
    Y, M = V["year"], V["month"]
    D = Y + "-" + M + "-01"
    for tag, st in track((("plain", PLAIN), ("filtered", filtered()))):
        cc = st.cc
        # SaleMonth
        s = ("select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级,a.fbilldate," + R
             + "right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期,b.qty 数量,b.sumto 金额 from (" + R
             + "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fbilldate from dt_client a,(select * from FN_MonthDay('"
             + D + "'" + "))b " + R + "where a.fcode in(select fclientcode from d_sale)" + R)
        s += inlist(" and a.fcode in", st.sel_client) + inlist(" and a.fcode in", cc)
        s += (")a" + R + "left join (select b.fclientcode,b.fbilldate,sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto"
              + R + " from d_saledetail a join d_sale b on a.fbillid=b.fbillid" + R
              + "where b.fposted=1 and year(b.fbilldate)=" + Y + " and month(b.fbilldate)=" + M + R)
        s += (inlist(" and b.fclientcode in", st.sel_client) + inlist(" and b.fclientcode in", cc)
              + inlist(" and b.fhousecode in", st.sel_house) + inlist(" and a.fgoodsid in", st.sel_goods))
        s += (" group by b.fclientcode,b.fbilldate)b on a.fcode=b.fclientcode and a.fbilldate=b.fbilldate order by a.fbilldate"
              + R)
        put("frm_OLAPSaleMonth.%s.sql" % tag, s,
            ["客户编号", "客户简称", "客户性质", "客户等级", "fbilldate", "日期", "数量", "金额"])

        # RetailMonth
        s = ("select a.fcode 店铺编号,a.fabbrev 店铺简称,a.fmathod 店铺性质,a.fgrad 店铺等级,a.fbilldate,right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期,b.qty 数量,b.sumto 金额 from ("
             + R + "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fbilldate from dt_client a,(select * from FN_MonthDay('"
             + D + "'" + "))b" + R + "where a.fcode in(select distinct(fclientcode) from d_s_sale)" + R)
        s += inlist(" and a.fcode in", st.sel_client) + inlist(" and a.fcode in", cc)
        s += (")a left join" + R
              + "(select b.fclientcode,b.fbilldate,sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto" + R
              + " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid" + R
              + "where b.fposted=1 and year(b.fbilldate)=" + Y + " and month(b.fbilldate)=" + M + R)
        s += (inlist(" and b.fclientcode in", st.sel_client) + inlist(" and b.fclientcode in", cc)
              + inlist(" and a.fgoodsid in", st.sel_goods))
        s += ("group by b.fclientcode,b.fbilldate)b" + R + "on a.fcode=b.fclientcode and a.fbilldate=b.fbilldate"
              + R + "order by a.fcode,b.fbilldate")
        put("frm_OLAPRetailMonth.%s.sql" % tag, s,
            ["店铺编号", "店铺简称", "店铺性质", "店铺等级", "fbilldate", "日期", "数量", "金额"])

        # RecevingMonth (no client scope)
        s = ("select a.fcode 厂商编号,a.fabbrev 厂商名称,a.fbilldate,right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期,"
             + R + "b.qty 数量,b.sumto 金额 from (select a.fcode,a.fabbrev,b.fbilldate from dt_supplier a,(select * from FN_MonthDay('"
             + D + "'" + "))b " + R + "where a.fcode in(select fsuppliercode from d_receving)" + R)
        s += inlist(" and a.fcode in", st.sel_supplier)
        s += (")a left join" + R
              + "(select b.fsuppliercode,b.fbilldate,sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto" + R
              + " from d_recevingdetail a join d_receving b on a.fbillid=b.fbillid" + R
              + "where b.fposted=1 and year(b.fbilldate)=" + Y + " and month(b.fbilldate)=" + M + R)
        s += (inlist(" and b.fsuppliercode in", st.sel_supplier) + inlist(" and b.fhousecode in", st.sel_house)
              + inlist(" and a.fgoodsid in", st.sel_goods))
        s += " group by b.fsuppliercode,b.fbilldate)b on a.fcode=b.fsuppliercode and a.fbilldate=b.fbilldate order by a.fcode,b.fbilldate"
        put("frm_OLAPRecevingMonth.%s.sql" % tag, s, ["厂商编号", "厂商名称", "fbilldate", "日期", "数量", "金额"])

        # PaymentMonth
        s = ("select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级,a.fbilldate," + R
             + "right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期,b.sumto 回款金额 from (" + R
             + "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fbilldate from dt_client a,(select * from FN_MonthDay('"
             + D + "'" + "))b " + R + "where a.fcode in(select fclientcode from d_payment) " + R)
        s += inlist(" and a.fcode in", st.sel_client) + inlist(" and a.fcode in", cc)
        s += (")a" + R + "left join (select a.fclientcode,a.fbilldate,sum(isnull(a.famount,0)) sumto" + R
              + "from d_payment a where a.fposted=1 and year(a.fbilldate)=" + Y + " and month(a.fbilldate)=" + M + R)
        s += inlist(" and a.fclientcode in", st.sel_client) + inlist(" and a.fclientcode in", cc)
        s += " group by a.fclientcode,a.fbilldate)b on a.fcode=b.fclientcode and a.fbilldate=b.fbilldate order by a.fbilldate"
        put("frm_OLAPPaymentMonth.%s.sql" % tag, s,
            ["客户编号", "客户简称", "客户性质", "客户等级", "fbilldate", "日期", "回款金额"])

        # PaymentsMonth (no client scope)
        s = ("select a.fcode 厂商编号,a.fabbrev 厂商名称,a.fbilldate,right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期,b.sumto 金额 from ("
             + R + "select a.fcode,a.fabbrev,b.fbilldate from dt_supplier a,(select * from FN_MonthDay('" + D + "'"
             + "))b" + R + "where fcode in(select fsuppliercode from d_payments)" + R)
        s += inlist(" and a.fcode in", st.sel_supplier)
        s += (")a left join" + R + "(select a.fsuppliercode,a.fbilldate,sum(isnull(a.famount,0)) sumto" + R
              + " from d_payments a where a.fposted=1 and year(a.fbilldate)=" + Y + " and month(a.fbilldate)=" + M + R)
        s += inlist(" and a.fsuppliercode in", st.sel_supplier)
        s += ("group by a.fsuppliercode,a.fbilldate)b" + R + "on a.fcode=b.fsuppliercode and a.fbilldate=b.fbilldate"
              + R + "order by a.fcode,b.fbilldate")
        put("frm_OLAPPaymentsMonth.%s.sql" % tag, s, ["厂商编号", "厂商名称", "fbilldate", "日期", "金额"])


# ---------------------------------------------------------------------------
# The year windows: one row per partner and month of the year
# ---------------------------------------------------------------------------
def yearly():
    Y = V["year"]
    order = "order by a.fcode,right(" + "'" + "0" + "'" + "+convert(varchar(2),a.fmonth)+" + "'" + "月" + "'" + ",3)"
    for tag, st in track((("plain", PLAIN), ("filtered", filtered()))):
        cc = st.cc
        for cls, head, src, house in (
            ("frm_OLAPSaleYear",
             "select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级,right('0'+convert(varchar(2),a.fmonth)+'月',3) as 月份,b.qty 数量,b.sumto 金额 from ("
             + R + "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,(select * from V_MonthList)b"
             + R + "where fcode in(select fclientcode from d_sale)" + R,
             " from d_saledetail a join d_sale b on a.fbillid=b.fbillid where b.fposted=1 and year(b.fbilldate)=", True),
            ("frm_OLAPRetailYear",
             "select a.fcode 店铺编号,a.fabbrev 店铺简称,a.fmathod 店铺性质,a.fgrad 店铺等级,right('0'+convert(varchar(2),a.fmonth)+'月',3) as 月份,b.qty 数量,b.sumto 金额 from ("
             + R + "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,(select * from V_MonthList)b"
             + R + "where fcode in(select fclientcode from d_s_sale)" + R,
             " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid where b.fposted=1 and year(b.fbilldate)=", False),
        ):
            s = head + inlist(" and a.fcode in", st.sel_client) + inlist(" and a.fcode in", cc)
            s += (")a left join" + R
                  + "(select b.fclientcode,month(b.fbilldate) as fmonth,sum(isnull(a.qty,0)) qty,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto"
                  + R + src + Y + R)
            s += inlist(" and b.fclientcode in", st.sel_client) + inlist(" and b.fclientcode in", cc)
            if house:
                s += inlist(" and b.fhousecode in", st.sel_house)
            s += inlist(" and a.fgoodsid in", st.sel_goods)
            s += ("group by b.fclientcode,b.fbilldate)b" + R + "on a.fcode=b.fclientcode and a.fmonth=b.fmonth" + R
                  + order)
            p = "店铺" if "Retail" in cls else "客户"
            put("%s.%s.sql" % (cls, tag), s,
                [p + "编号", p + "简称", p + "性质", p + "等级", "月份", "数量", "金额"])

        # RecevingYear
        s = ("Select a.fcode 厂商编号,a.fabbrev 厂商名称,right('0'+convert(varchar(2),a.fmonth)+'月',3) as 月份,b.qty 数量,b.sumto 金额 from ("
             + R + "select a.fcode,a.fabbrev,b.fmonth from dt_supplier a,(select * from V_MonthList)b" + R
             + "where fcode in(select fsuppliercode from d_receving)" + R)
        s += inlist(" and a.fcode in", st.sel_supplier)
        s += (")a left join" + R
              + "(select b.fsuppliercode,month(b.fbilldate) as fmonth,sum(isnull(a.qty,0)) qty,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto"
              + R + " from d_recevingdetail a join d_receving b on a.fbillid=b.fbillid where b.fposted=1 and year(b.fbilldate)="
              + Y + R)
        s += (inlist(" and b.fsuppliercode in", st.sel_supplier) + inlist(" and b.fhousecode in", st.sel_house)
              + inlist(" and a.fgoodsid in", st.sel_goods))
        s += "group by b.fsuppliercode,b.fbilldate)b" + R + "on a.fcode=b.fsuppliercode and a.fmonth=b.fmonth" + R + order
        put("frm_OLAPRecevingYear.%s.sql" % tag, s, ["厂商编号", "厂商名称", "月份", "数量", "金额"])

        # PaymentYear
        s = ("select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级,right('0'+convert(varchar(2),a.fmonth)+'月',3) as 月份,b.sumto  金额 from ("
             + R + "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,(select * from V_MonthList)b"
             + R + "where fcode in(select fclientcode from d_payment)" + R)
        s += inlist(" and a.fcode in", st.sel_client) + inlist(" and a.fcode in", cc)
        s += (")a left join" + R + "(select a.fclientcode,month(a.fbilldate) as fmonth,sum(isnull(a.famount,0)) sumto"
              + R + " from d_payment a where a.fposted=1 and year(a.fbilldate)=" + Y + R)
        s += inlist(" and a.fclientcode in", st.sel_client) + inlist(" and a.fclientcode in", cc)
        s += "group by a.fclientcode,a.fbilldate)b" + R + "on a.fcode=b.fclientcode and a.fmonth=b.fmonth" + R + order
        put("frm_OLAPPaymentYear.%s.sql" % tag, s, ["客户编号", "客户简称", "客户性质", "客户等级", "月份", "金额"])

        # PaymentsYear
        s = ("select a.fcode 厂商编号,a.fabbrev 厂商名称,right('0'+convert(varchar(2),a.fmonth)+'月',3) as 月份,b.sumto 金额,比例=NULL from ("
             + R + "select a.fcode,a.fabbrev,b.fmonth from dt_supplier a,(select * from V_MonthList)b" + R
             + "where fcode in(select fsuppliercode from d_payments)" + R)
        s += inlist(" and a.fcode in", st.sel_supplier)
        s += (")a" + R + "left join" + R
              + "(select a.fsuppliercode,month(a.fbilldate) as fmonth,sum(isnull(a.famount,0)) sumto" + R
              + " from d_payments a where a.fposted=1 and year(a.fbilldate)=" + Y + R
              + "group by a.fsuppliercode,a.fbilldate)b" + R + "on a.fcode=b.fsuppliercode and a.fmonth=b.fmonth" + R
              + order)
        put("frm_OLAPPaymentsYear.%s.sql" % tag, s, ["厂商编号", "厂商名称", "月份", "金额", "比例"])


# ---------------------------------------------------------------------------
# Stock by warehouse, own shop, franchisee and goods, with and without size columns
# ---------------------------------------------------------------------------
GOODS_LINE2 = ("c.brand 品牌,c.ayear 年份,c.season 季节,c.sort 类别,c.unitprice 吊牌价,c.sex 性别,c.item 项目,c.style 风格,"
               "c.masterial 面料,c.lining 里料,c.patter 款式,")
GOODS_LINE2_COLS = ["品牌", "年份", "季节", "类别", "吊牌价", "性别", "项目", "风格", "面料", "里料", "款式"]
SIZE_LIST_SQL = ("select * from ba_size where size_class in(select top 1 size_class from ba_size order by displayindex desc)"
                 " order by displayindex")


def stock():
    n = V["sizecount"]
    for tag, st in track((("plain", PLAIN), ("filtered", filtered(size=True)))):
        sz = ("," + size_columns(n) + R) if st.size else ""
        szc = size_aliases(n) if st.size else []
        # HouseStockDis
        s = ("select a.fhousecode 仓库编号,b.fname 仓库名称,a.fgoodsid 货号,c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称,"
             + R + GOODS_LINE2 + R
             + "sum(isnull(a.qty,0)) as 数量,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额,比例=NULL" + R)
        s += sz
        s += (" from stock a join dt_house b on a.fhousecode=b.fcode " + R
              + "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid WHERE 1=1" + R)
        s += (inlist(" and a.fhousecode in", st.hh) + inlist(" and c.brand in", st.bb)
              + inlist(" and a.fgoodsid in", st.sel_goods) + inlist(" and a.fhousecode in", st.sel_house))
        s += ("group by a.fhousecode,b.fname,a.fgoodsid,c.goodsname,a.fcolorid,c.colorname_ch," + R
              + "c.brand,c.ayear,c.season,c.sort,c.unitprice,c.sex,c.item,c.style,c.masterial,c.lining,c.patter")
        put("frm_OLAPHouseStockDis.%s.sql" % tag, s,
            ["仓库编号", "仓库名称", "货号", "货品名称", "颜色编号", "颜色名称"] + GOODS_LINE2_COLS
            + ["数量", "吊牌金额", "比例"] + szc)

        for cls, p, blank, op in (("frm_OLAPMyShopStock", "店铺", "", "in("),
                                  ("frm_OLAPclientStock", "客户", " ", "not in(")):
            s = ("select a.fclientcode " + p + "编号,b.fabbrev " + p + "简称,b.fmathod " + p + "性质,b.fgrad " + p
                 + "等级,e.fname as 地区名称,b.frpdtmancode as 督导,a.fgoodsid 货号,c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称,"
                 + R + GOODS_LINE2 + R
                 + "sum(isnull(a.qty,0)) as 数量,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额,比例=NULL" + blank + R)
            s += sz
            s += (" from s_stock a join dt_client b on a.fclientcode=b.fcode left join ba_area e on b.fareacode=e.fcode"
                  + R + "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid where 1=1 and a.fclientcode in(select fcode from dt_client where fmathod "
                  + op + "'" + "自营" + "'" + "," + "'" + "专柜" + "'" + ")" + R)
            s += inlist(" and fcode in", st.sel_client) + inlist(" and fcode in", st.cc)
            s += ")"
            s += inlist(" and c.brand in", st.bb) + inlist(" and a.fgoodsid in", st.sel_goods)
            s += (" group by a.fclientcode,b.fabbrev,b.fmathod,b.fgrad,e.fname,b.frpdtmancode,a.fgoodsid,c.goodsname,a.fcolorid,c.colorname_ch,"
                  + R + "c.brand,c.ayear,c.season,c.sort,c.unitprice,c.sex,c.item,c.style,c.masterial,c.lining,c.patter")
            put("%s.%s.sql" % (cls, tag), s,
                [p + "编号", p + "简称", p + "性质", p + "等级", "地区名称", "督导", "货号", "货品名称", "颜色编号", "颜色名称"]
                + GOODS_LINE2_COLS + ["数量", "吊牌金额", "比例"] + szc)

    # AllStock
    put("frm_OLAPAllStock.sizelist.sql", SIZE_LIST_SQL, None,
        "size list of the size class with the highest display index (also the shop goods totals window)")
    names = V["size_names"]
    S = "".join("sum(isnull(a.s%d,0)) as [%s]," % (i, nm) for i, nm in enumerate(names, 1))
    T = "".join("sum(isnull(a.s%d,0)) as s%d," % (i, i) for i, _ in enumerate(names, 1))
    l1 = ("select a.ftype 库存类别,a.fhousecode as 编号,a.fname 仓位名称,a.fgoodsid 货号,a.fcolorid 颜色编号,b.colorname_ch 颜色名称,b.goodsname 货品名称,"
          + R)
    l2 = ("b.brand 品牌,b.ayear 年份,b.season 季节,b.sort 类别,b.sex 性别,b.item 项目,b.style 风格,b.masterial 面料,b.patter 款式,b.size_class 尺码类别,b.unitprice as 吊牌价,"
          + R)
    c12 = ["库存类别", "编号", "仓位名称", "货号", "颜色编号", "颜色名称", "货品名称", "品牌", "年份", "季节", "类别", "性别",
           "项目", "风格", "面料", "款式", "尺码类别", "吊牌价"]
    grp = ("group by a.ftype,a.fhousecode,a.fname,a.fgoodsid,a.fcolorid,b.colorname_ch,b.goodsname,b.brand,b.ayear,b.season,b.sort,"
           + R + "b.sex,b.item,b.style,b.masterial,b.patter,b.size_class,b.unitprice" + R)
    case = ("ftype=case when b.fmathod in(" + "'" + "自营" + "'" + "," + "'" + "专柜" + "'" + ") then " + "'" + "自营店库存"
            + "'" + " else " + "'" + "加盟商库存" + "'" + " end")
    for tag, st in track((("plain", PLAIN), ("filtered", filtered()))):
        s = (l1 + l2 + "sum(a.qty) as 数量,sum(isnull(a.qty,0)*isnull(b.unitprice,0)) as 吊牌金额,比例=NULL from" + R
             + "(select a.fhousecode,a.fgoodsid,a.fcolorid,a.qty,b.fname as fname,ftype='仓库库存' from stock a join dt_house b on a.fhousecode=b.fcode where 1=1"
             + R)
        s += inlist(" and a.fhousecode in", st.sel_house)
        s += ("union all" + R + "select a.fclientcode,a.fgoodsid,a.fcolorid,a.qty,b.fabbrev," + case + R
              + "from s_stock a JOIN dt_client b on a.fclientcode=b.fcode where 1=1 " + R)
        s += inlist(" and a.fclientcode in", st.sel_client)
        s += ")a" + R + "join vgoodscolor b on a.fgoodsid=b.goodsid and a.fcolorid=b.colorid where 1=1 " + R
        s += inlist(" and a.fgoodsid in", st.sel_goods)
        s += grp
        put("frm_OLAPAllStock.%s.sql" % tag, s, c12 + ["数量", "吊牌金额", "比例"])
    for tag, st in track((("sizes", State(size=True)), ("sizes_filtered", filtered(size=True)))):
        s = (l1 + l2 + S + "sum(a.qty) as 合计,sum(isnull(a.qty,0)*isnull(b.unitprice,0)) as 吊牌金额 from" + R
             + "(select a.fhousecode,a.fgoodsid,a.fcolorid," + R + T
             + "sum(isnull(a.qty,0)) qty,b.fname as fname,ftype=" + "'" + "仓库库存" + "'"
             + " from stock a join dt_house b on a.fhousecode=b.fcode where 1=1" + R)
        s += inlist(" and a.fhousecode in", st.sel_house)
        s += " group by a.fhousecode,a.fgoodsid,a.fcolorid,b.fname" + R
        s += ("union all" + R + "select a.fclientcode,a.fgoodsid,a.fcolorid," + R + T + "sum(isnull(a.qty,0)) qty,b.fabbrev,"
              + case + R + "from s_stock a JOIN dt_client b on a.fclientcode=b.fcode where 1=1 " + R)
        s += inlist(" and a.fclientcode in", st.sel_client)
        s += (" group by a.fclientcode,a.fgoodsid,a.fcolorid,b.fabbrev,b.fmathod)a" + R
              + "join vgoodscolor b on a.fgoodsid=b.goodsid and a.fcolorid=b.colorid where 1=1 " + R)
        s += inlist(" and a.fgoodsid in", st.sel_goods)
        s += grp
        put("frm_OLAPAllStock.%s.sql" % tag, s, c12 + list(names) + ["合计", "吊牌金额"])


# ---------------------------------------------------------------------------
# Orders, shipments, order distribution, allocations and receipt-batch sell-through
# ---------------------------------------------------------------------------
def orders():
    n = V["sizecount"]

    def tail(st, posted_ok, first=1):
        t = ""
        if first <= 1 and posted_ok and st.posted:
            t += " and b.fposted=1"
        t += st.billclause() + st.inputclause()
        t += inlist(" and a.fgoodsid in", st.sel_goods) + inlist(" and b.fclientcode in", st.sel_client)
        t += inlist(" and b.fclientcode in", st.cc) + inlist(" and c.brand in", st.bb)
        return t

    o1 = ("select b.fclientcode 客户编号,d.fabbrev 客户简称,d.fmathod 客户性质,d.fgrad 客户等级,e.fname as 地区名称,d.frpdtmancode as 督导,"
          + R)
    o3 = "a.fgoodsid 货号,c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称," + R
    o4 = GOODS_LINE2 + R
    o5 = ("a.fbalancprice 单价,a.fdiscount 折扣,sum(isnull(a.qty,0)) as 数量,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) as 金额,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额"
          + R)
    g3 = "a.fgoodsid,c.goodsname,a.fcolorid,c.colorname_ch,c.brand,c.ayear,c.season,c.sort,c.unitprice," + R
    g4 = "c.sex,c.item,c.style,c.masterial,c.lining,c.patter,a.fbalancprice,a.fdiscount"
    c1 = ["客户编号", "客户简称", "客户性质", "客户等级", "地区名称", "督导"]
    c345 = (["货号", "货品名称", "颜色编号", "颜色名称"] + GOODS_LINE2_COLS
            + ["单价", "折扣", "数量", "金额", "吊牌金额"])
    states = (("plain", PLAIN),
              ("filtered", filtered(input=True, posted=True, size=True)),
              ("posted", State(posted=True)))
    for tag, st in track(states):
        sz = ("," + size_columns(n) + R) if st.size else ""
        szc = size_aliases(n) if st.size else []
        s = (o1 + "b.fbilldate 日期,b.fbilltype 单据类别,b.fmode 订货方式,b.fmanualid 手工单号,b.fmodidate 交货日期,b.fbatchno 批次,"
             + R + o3 + o4 + o5 + sz
             + " from d_orderdetail a join d_order b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode"
             + R + "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid where 1=1" + R)
        s += tail(st, True)
        s += (" group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,d.frpdtmancode," + R
              + "b.fbilldate,b.fbilltype,b.fmode,b.fmanualid,b.fmodidate,b.fbatchno," + R + g3 + g4)
        put("frm_OLAPorder.%s.sql" % tag, s,
            c1 + ["日期", "单据类别", "订货方式", "手工单号", "交货日期", "批次"] + c345 + szc)

        s = (o1 + "b.fbilldate 日期,convert(char(4),year(b.fbilldate))+'年' as 销售年度,convert(varchar(2),month(b.fbilldate))+'月' as 销售月份,"
             + R + "convert(varchar(2),day(b.fbilldate))+'日' as 销售日,b.fbilltype 单据类别,b.fmode 订货方式,b.fmanualid 手工单号,b.fbatchno 批次,"
             + R + o3 + o4 + o5 + sz
             + " from d_saledetail a join d_sale b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode"
             + R + "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid where 1=1" + R)
        s += tail(st, True)
        s += ("group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,d.frpdtmancode," + R
              + "b.fbilldate,b.fbilltype,b.fmode,b.fmanualid,b.fbatchno," + R + g3 + g4)
        put("frm_OLAPSale.%s.sql" % tag, s,
            c1 + ["日期", "销售年度", "销售月份", "销售日", "单据类别", "订货方式", "手工单号", "批次"] + c345 + szc)

    for tag, st in track((("plain", PLAIN), ("filtered", filtered(input=True)))):
        s = (o1 + "a.fgoodsid 货号,c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称,c.brand 品牌,c.ayear 年份,c.season 季节,c.sort 类别,c.unitprice 吊牌价,sum(isnull(a.qty,0)) as 数量,"
             + R + "sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) as 金额,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额,比例=null,avg(isnull(a.fbalancprice,0)) 平均单价"
             + R + "from d_orderdetail a join d_order b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode"
             + R + "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + R + "where 1=1 " + R)
        s += tail(st, False)
        s += (" group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,d.frpdtmancode," + R
              + "a.fgoodsid,c.goodsname,a.fcolorid,c.colorname_ch,c.brand,c.ayear,c.season,c.sort,c.unitprice")
        put("frm_OLAPorderDis.%s.sql" % tag, s,
            c1 + ["货号", "货品名称", "颜色编号", "颜色名称", "品牌", "年份", "季节", "类别", "吊牌价", "数量", "金额", "吊牌金额",
                  "比例", "平均单价"])

        for cls, line5 in (
            ("frm_OLAPOrderSort", "from d_orderdetail a join d_order b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode"),
            ("frm_RationSort", "from d_rationdetail a join d_ration b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode"),
        ):
            s = ("select b.fclientcode 客户编号,d.fabbrev 客户简称,d.fmathod 客户性质,e.fname as 地区名称," + R
                 + "c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称,c.brand 品牌,c.ayear 年份,c.season 季节,c.sort 类别,"
                 + R + "c.sex 性别,c.item 项目,c.style 风格,c.masterial 面料,c.patter 款式,价位名称=case when g.fname is not null then g.fname else '其他' end,"
                 + R + "sum(isnull(a.qty,0)) as 数量,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) as 金额,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额,比例=null"
                 + R + line5 + R
                 + "left join ba_area e on d.fareacode=e.fcode join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid"
                 + R + "left join V_GoodsPriceRange G on c.goodsid=g.goodsid WHERE 1=1" + R)
            s += tail(st, False)
            s += (" group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname," + R
                  + "c.goodsname,a.fcolorid,c.colorname_ch,c.brand,c.ayear,c.season,c.sort,c.sex,c.item,c.style,c.masterial,c.patter,g.fname")
            put("%s.%s.sql" % (cls, tag), s,
                ["客户编号", "客户简称", "客户性质", "地区名称", "货品名称", "颜色编号", "颜色名称", "品牌", "年份", "季节", "类别",
                 "性别", "项目", "风格", "面料", "款式", "价位名称", "数量", "金额", "吊牌金额", "比例"])

    # SsaleRece: the receipt date range always applies
    for tag, st in track((("plain", State(d1=V["wide1"], d2=V["wide2"], always=True)),
                    ("filtered", State(sel_client=V["sel_shop"], restricted=True, always=True)))):
        D1, D2 = st.d1, st.d2
        C = inlist(" and b.fclientcode in", st.sel_client) + inlist(" and b.fclientcode in", st.cc)
        sub = ("where a.fgoodsid in(select distinct(a.fgoodsid) fgoodsid from d_s_recevingdetail a join d_s_receving b on a.fbillid=b.fbillid"
               + R + "where b.fbilldate>=" + "'" + D1 + "'" + " and b.fbilldate<=" + "'" + D2 + "'" + R)
        s = ("select a.fclientcode 店铺编号,d.fabbrev 店铺简称,a.goodsid 货号,a.goodsname 货品名称,a.colorid 颜色编号,a.colorname_ch 颜色名称,"
             + R + "a.brand 品牌,a.ayear 年份,a.season 季节,a.sort 类别,a.sex 性别,a.item 项目,a.unitprice 吊牌价," + R
             + "b.qty as 销售数量,b.fbalancprice as 平均售价,b.sumto as 销售金额,b.fbillcount 客流量,c.qty as 库存数量" + R
             + "from (select b.fclientcode,a.* from vgoodscolor a,(select distinct(fclientcode) fclientcode from d_s_sale)b"
             + R + "where a.goodsid in(select distinct(a.fgoodsid) fgoodsid from d_s_recevingdetail a join d_s_receving b on a.fbillid=b.fbillid"
             + R + "where b.fbilldate>='" + D1 + "'" + " and b.fbilldate<=" + "'" + D2 + "'" + R)
        s += C + ")" + R + C
        s += (" )a " + R + "left join" + R
              + "(select b.fclientcode,a.fgoodsid,a.fcolorid,convert(numeric (9,2),avg(isnull(a.fbalancprice,0))) fbalancprice,"
              + R + "sum(isnull(a.qty,0)) qty,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto,count(distinct(b.fbillid)) fbillcount"
              + R + "from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid" + R
              + "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + R + sub + C)
        s += (" )" + R
              + " group by b.fclientcode,a.fgoodsid,a.fcolorid)b on a.fclientcode=b.fclientcode and a.goodsid=b.fgoodsid and a.colorid=b.fcolorid"
              + R + "left join" + R + "(select a.fclientcode,a.fgoodsid,a.fcolorid,sum(isnull(a.qty,0)) qty" + R
              + "from s_stock a join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + R + sub + C)
        s += (" )" + R
              + " group by a.fclientcode,a.fgoodsid,a.fcolorid)c on a.fclientcode=c.fclientcode and a.goodsid=c.fgoodsid and a.colorid=c.fcolorid"
              + R + "JOIN dt_client d on a.fclientcode=d.fcode" + R)
        put("frm_SsaleRece.%s.sql" % tag, s,
            ["店铺编号", "店铺简称", "货号", "货品名称", "颜色编号", "颜色名称", "品牌", "年份", "季节", "类别", "性别", "项目",
             "吊牌价", "销售数量", "平均售价", "销售金额", "客流量", "库存数量"])


# ---------------------------------------------------------------------------
# Franchise-client composite figures and shop-assistant sales
# ---------------------------------------------------------------------------
def periods():
    Y, M = V["year"], V["month"]
    lines234 = ("c.qty 订货数量,c.sumto 订货金额,b.qty 销售数量,b.sumto 销售金额,d.qty 退货数量,d.sumto 退货金额," + R
                + "isnull(b.qty,0)-isnull(d.qty,0) 净出货数量,isnull(b.sumto,0)-isnull(d.sumto,0) 净出货金额," + R
                + "g.famount 订金收入,h.famount 订金结转,e.famount 回款金额,f.famount 其它费用" + R)
    measures = ["订货数量", "订货金额", "销售数量", "销售金额", "退货数量", "退货金额", "净出货数量", "净出货金额", "订金收入",
                "订金结转", "回款金额", "其它费用"]
    client4 = ["客户编号", "客户简称", "客户性质", "客户等级"]

    def sums(unit, filt_doc, filt_single):
        # unit: "month" or "day"; returns the seven joined sums b..h
        key = "fmonth" if unit == "month" else "fday"
        doc_sel = ("(select b.fclientcode," + unit + "(b.fbilldate) " + key
                   + ",sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto")
        out = []
        for alias, src in (("b", "from d_saledetail a join d_sale b on a.fbillid=b.fbillid"),
                           ("c", "from d_orderdetail a join d_order b on a.fbillid=b.fbillid"),
                           ("d", " from d_salereturndetail a join d_salereturn b on a.fbillid=b.fbillid")):
            out.append(doc_sel + R + src + R + filt_doc + R
                       + "group by b.fclientcode," + unit + "(b.fbilldate))" + alias + R
                       + "on a.fcode=" + alias + ".fclientcode and a." + key + "=" + alias + "." + key + R)
        for alias, table in (("e", "d_payment"), ("f", "d_charges"), ("g", "d_subsreceipt"), ("h", "d_subsreceipt_flag")):
            sel = ("(select a.fclientcode," + unit + "(a.fbilldate) " + key + ",sum(a.famount) famount  from "
                   + table + " a")
            brk = "" if (alias == "h" and unit == "month") else R
            out.append(sel + R + filt_single + brk
                       + "group by a.fclientcode," + unit + "(a.fbilldate))" + alias + R
                       + "on a.fcode=" + alias + ".fclientcode and a." + key + "=" + alias + "." + key + R)
        return ("left join" + R).join(out)

    for tag, st in track((("plain", PLAIN), ("filtered", filtered()))):
        s = ("select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级,right('0'+convert(varchar(2),a.fmonth)+'月',3) 月份,"
             + R + lines234
             + "from (select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,(select * from V_MonthList)b"
             + R + "where a.fmathod not in('自营','专柜')" + R)
        s += inlist(" and a.fcode in", st.sel_client) + inlist(" and a.fcode in", st.cc)
        s += ")a left join" + R
        s += sums("month", "where b.fposted=1 and year(b.fbilldate)=" + Y, "where a.fposted=1 and year(a.fbilldate)=" + Y)
        s += "order by a.fcode,right(" + "'" + "0" + "'" + "+convert(varchar(2),a.fmonth)+" + "'" + "月" + "'" + ",3)"
        put("frm_OLAPClientYear.%s.sql" % tag, s, client4 + ["月份"] + measures)

        D = Y + "-" + M + "-1"
        s = ("select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级,right('0'+convert(varchar(2),a.fday)+'日',3) 日期,"
             + R + lines234
             + "from (select a.fcode,a.fabbrev,a.fmathod,a.fgrad,day(b.fbilldate) fday from dt_client a,(select fbilldate from fn_monthday('"
             + D + "'" + "))b" + R + "where a.fmathod not in(" + "'" + "自营" + "'" + "," + "'" + "专柜" + "'" + ")" + R)
        s += inlist(" and a.fcode in", st.sel_client) + inlist(" and a.fcode in", st.cc)
        s += ")a" + R + "left join" + R
        s += sums("day", "where b.fposted=1 and year(b.fbilldate)=" + Y + " and month(b.fbilldate)=" + M,
                  "where a.fposted=1 and year(a.fbilldate)=" + Y + " and month(a.fbilldate)=" + M)
        s += "order by a.fcode,right(" + "'" + "0" + "'" + "+convert(varchar(2),a.fday)+" + "'" + "日" + "'" + ",3)"
        put("frm_OLAPClientMonth.%s.sql" % tag, s, client4 + ["日期"] + measures)

    shop = V["emp_shop"]
    s = ("select right('0'+convert(varchar(2),a.fmonth)+'月',3) 月份,b.femployeeid 营业员编号,g.fnamech 营业员姓名,b.fqty 数量,b.fsumto 金额,比例=NULL"
         + R + " from V_MonthList a left join" + R
         + "(select a.femployeeid,month(a.fbilldate) fmonth,sum(isnull(b.qty,0)) fqty,sum(isnull(b.qty,0)*isnull(b.fbalancprice,0)) fsumto"
         + R + "from d_s_sale a join d_s_saledetail  b on a.fbillid=b.fbillid" + R + "where a.fclientcode='" + shop
         + "'" + " and year(a.fbilldate)=" + Y + R + "group by a.femployeeid,month(a.fbilldate))b" + R
         + "on a.fmonth=b.fmonth" + R + "left join v_employee g on b.femployeeid=g.fcode" + R
         + "order by right(" + "'" + "0" + "'" + "+convert(varchar(2),a.fmonth)+" + "'" + "月" + "'" + ",3)")
    put("frm_OLAPEmpSaleYear.plain.sql", s, ["月份", "营业员编号", "营业员姓名", "数量", "金额", "比例"],
        "shop %s chosen in Com_client (required)" % shop)
    D = Y + "-" + M + "-01"
    s = ("select right('0'+convert(varchar(2),a.fday)+'日',3) 日期,b.femployeeid 营业员编号,g.fnamech 营业员姓名,b.fqty 数量,b.fsumto 金额,比例=NULL from"
         + R + "(select day(fbilldate) as fday from FN_MonthDay('" + D + "'" + "))a" + R + "left join" + R
         + "(select a.femployeeid,day(a.fbilldate) fday,sum(isnull(b.qty,0)) fqty,sum(isnull(b.qty,0)*isnull(b.fbalancprice,0)) fsumto"
         + R + "from d_s_sale a join d_s_saledetail  b on a.fbillid=b.fbillid" + R + "where a.fclientcode=" + "'" + shop
         + "'" + " and year(a.fbilldate)=" + Y + " and month(a.fbilldate)=" + M + R
         + "group by a.femployeeid,day(a.fbilldate))b on a.fday=b.fday" + R
         + "left join v_employee g on b.femployeeid=g.fcode")
    put("frm_OLAPEmpSaleMonth.plain.sql", s, ["日期", "营业员编号", "营业员姓名", "数量", "金额", "比例"],
        "shop %s chosen in Com_client (required)" % shop)
    base = "select fcode,fabbrev,fmathod from dt_client where fcode in(select distinct(fclientcode) from d_s_sale)"
    put("frm_OLAPEmpSale.shoplist.sql", base, ["fcode", "fabbrev", "fmathod"],
        "shop list of both shop-assistant windows, unrestricted user")
    put("frm_OLAPEmpSale.shoplist_scoped.sql", base + " and fcode in(" + V["pub_clientcodes"] + ")",
        ["fcode", "fabbrev", "fmathod"], "shop list of both shop-assistant windows, restricted user")


# ---------------------------------------------------------------------------
# Shipment and retail distribution by price, and retail discount bands
# ---------------------------------------------------------------------------
def discounts():
    l2 = ("a.fgoodsid 货号,c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称,c.brand 品牌,c.ayear 年份,c.season 季节,c.sort 类别,c.unitprice 吊牌价,sum(isnull(a.qty,0)) as 数量,"
          + R)
    l3 = ("sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) as 金额,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额,比例=null,avg(isnull(a.fbalancprice,0)) 平均单价"
          + R)
    c23 = ["货号", "货品名称", "颜色编号", "颜色名称", "品牌", "年份", "季节", "类别", "吊牌价", "数量", "金额", "吊牌金额", "比例", "平均单价"]
    grp2 = "a.fgoodsid,c.goodsname,a.fcolorid,c.colorname_ch,c.brand,c.ayear,c.season,c.sort,c.unitprice"

    def clauses(st, house):
        t = st.billclause() + st.inputclause()
        t += inlist(" and a.fgoodsid in", st.sel_goods) + inlist(" and b.fclientcode in", st.sel_client)
        t += inlist(" and b.fclientcode in", st.cc) + inlist(" and c.brand in", st.bb)
        if house:
            t += inlist(" and b.fhousecode in", st.sel_house) + inlist(" and b.fhousecode in", st.hh)
        return t

    for tag, st in track((("plain", PLAIN), ("filtered", filtered()))):
        s = ("select b.fhousecode as 仓库编号,k.fname as 仓库名称,b.fclientcode 客户编号,d.fabbrev 客户简称,d.fmathod 客户性质,d.fgrad 客户等级,e.fname as 地区名称,d.frpdtmancode as 督导,"
             + R + l2 + l3
             + "from d_saledetail a join d_sale b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode"
             + R + "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid join dt_house k on b.fhousecode=k.fcode"
             + R + "where b.fposted=1 " + R)
        s += clauses(st, True)
        s += (" group by b.fhousecode,k.fname,b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,d.frpdtmancode," + R + grp2)
        put("frm_OLAPsaleDisc.%s.sql" % tag, s,
            ["仓库编号", "仓库名称", "客户编号", "客户简称", "客户性质", "客户等级", "地区名称", "督导"] + c23)

        s = ("select b.fclientcode 店铺编号,d.fabbrev 店铺简称,d.fmathod 店铺性质,d.fgrad 店铺等级,e.fname as 地区名称,d.frpdtmancode as 督导,"
             + R + l2 + l3
             + "from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode"
             + R + "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + R + "where b.fposted=1 " + R)
        s += clauses(st, False)
        s += " group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,d.frpdtmancode," + R + grp2
        put("frm_OLAPRetailDisc.%s.sql" % tag, s,
            ["店铺编号", "店铺简称", "店铺性质", "店铺等级", "地区名称", "督导"] + c23)

        s = ("select 折扣=case when a.fdiscount BETWEEN 1 and 10 then '正价' when a.fdiscount BETWEEN 0.9 and 1 then '9折'" + R
             + "when a.fdiscount BETWEEN 0.8 and 0.9 then '8折' when a.fdiscount BETWEEN 0.7 and 0.8 then '7折' when a.fdiscount BETWEEN 0.6 and 0.7 then '6折'"
             + R + "when a.fdiscount BETWEEN 0.5 and 0.6 then '5折' when a.fdiscount BETWEEN 0.4 and 0.5 then '4折' when a.fdiscount BETWEEN 0.3 and 0.4 then '3折'"
             + R + "when a.fdiscount BETWEEN 0.2 and 0.3 then '2折' when a.fdiscount BETWEEN 0.1 and 0.2 then '1折' else '赠送' end,"
             + R + "a.fdiscount 折扣值,a.fgoodsid 货号,a.goodsname 货品名称,a.brand 品牌,a.ayear 年份,a.season 季节,a.sort 类别,a.qty 数量,a.sumto 金额,比例=NULL"
             + R + " from (select fdiscount=convert([numeric](9,4),(isnull(a.fbalancprice,0)/isnull(c.unitprice,0))),"
             + R + "a.fgoodsid,c.goodsname,c.brand,c.ayear,c.season,c.sort,sum(isnull(a.qty,0)) qty,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) as sumto"
             + R + " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid join goods c on a.fgoodsid=c.goodsid where isnull(c.unitprice,0)<>0"
             + R)
        s += st.billclause() + inlist(" and b.fclientcode in", st.sel_client) + inlist(" and a.fgoodsid in", st.sel_goods)
        s += " group by convert([numeric](9,4),(isnull(a.fbalancprice,0)/isnull(c.unitprice,0))),a.fgoodsid,c.goodsname,c.brand,c.ayear,c.season,c.sort)a"
        put("frm_OLAPRetailDiscount.%s.sql" % tag, s,
            ["折扣", "折扣值", "货号", "货品名称", "品牌", "年份", "季节", "类别", "数量", "金额", "比例"])


# ---------------------------------------------------------------------------
# Cut pieces sent out, production status per worker, daily process output
# ---------------------------------------------------------------------------
def production():
    Y, M = V["year"], V["month"]
    for tag, st in track((("plain", PLAIN), ("filtered", filtered()))):
        s = ("select b.fsuppliercode 厂商编号,c.fabbrev 厂商简称,b.fbillid 发外单号,b.fbilldate 发外日期,b.fgoodsid 货号," + R
             + "b.fknufeid 裁床单号,d.fcutno 床次,b.ftype 加工工序,b.fprice 加工单价," + R
             + "sum(isnull(a.fqty,0)) 发出数量,sum(isnull(a.frecqty,0)) 回收数量,sum(isnull(a.fqty,0)-isnull(a.frecqty,0)) 差异数量"
             + R + " from gm_knufeoutdetail a join gm_knufeout b on a.fbillid=b.fbillid" + R
             + "left join dt_supplier c on b.fsuppliercode=c.fcode" + R + "join gm_knufe d on b.fknufeid=d.fbillid" + R
             + "WHERE 1=1 " + R)
        s += st.billclause() + inlist(" and b.fgoodsid in", st.sel_goods) + inlist(" and b.fsuppliercode in", st.sel_supplier)
        s += (" group by b.fsuppliercode,c.fabbrev,b.fbillid,b.fbilldate,b.fgoodsid,b.fknufeid,d.fcutno,b.ftype,b.fprice" + R
              + "order by b.fbilldate,d.fcutno,b.fbillid,b.fgoodsid")
        put("frm_OLAPknufeTrance.%s.sql" % tag, s,
            ["厂商编号", "厂商简称", "发外单号", "发外日期", "货号", "裁床单号", "床次", "加工工序", "加工单价", "发出数量", "回收数量",
             "差异数量"])

    for tag, K in (("bill", V["knufe_bill"]), ("bill_empty", "")):
        s = ("select b.fbillid,b.fgoodsid,c.goodsname,b.fcutno,sum(isnull(a.fqty,0)) fqty" + R
             + " from gm_knufede a join gm_knufe b on a.fbillid=b.fbillid" + R + "join goods c on b.fgoodsid=c.goodsid"
             + R + "where b.fbillid='" + K + "'" + R + "group by b.fbillid,b.fgoodsid,c.goodsname,b.fcutno")
        put("frm_GmKnufeEmp.%s.sql" % tag, s, ["fbillid", "fgoodsid", "goodsname", "fcutno", "fqty"],
            "bill summary after the picker, edit_client '%s'" % K)
    for tag, K in (("plain", ""), ("filtered", V["knufe_bill"])):
        s = ("select a.fprocedue_no 工序编号,c.fprocedurename 工序名称,c.fproprice 工价,b.fcode 工号,b.fnamech 姓名,sum(isnull(fquantity_2,0)) 数量 from ("
             + R + "select fbillid,fprocedue_no,femployeeid,sum(isnull(fquantity_2,0)) fquantity_2 from (" + R
             + "select fbillid,fknufeid,fprocedue_no,fquantity_2,femployeeid from gm_proroll where 1=1" + R)
        if K:
            s += " and fknufeid=" + "'" + K + "'" + R
        s += " union all" + R + "select fproduceid,fknufeid,fprocedue_no,fquantity,femploycode from gm_procount where 1=1 " + R
        if K:
            s += " and fknufeid=" + "'" + K + "'"
        s += (")a group by fbillid,fprocedue_no,femployeeid)a" + R + "left join v_employee b on a.femployeeid=b.fcode" + R
              + "join V_produceOfBill c on a.fbillid=c.fbillid and a.fprocedue_no=c.fprocedureid" + R
              + "group by a.fprocedue_no,c.fprocedurename,b.fcode,b.fnamech,c.fproprice")
        put("frm_GmKnufeEmp.%s.sql" % tag, s, ["工序编号", "工序名称", "工价", "工号", "姓名", "数量"],
            "edit_client (cutting bill) '%s'" % K)

    s = ("select top 1 a.fcutno,a.fgoodsid,a.fprocedue_no,b.fprocedurename from gm_proroll a join V_produceOfBill b on a.fbillid=b.fbillid and a.fprocedue_no=b.fprocedureid"
         + R + "where year(a.fadd_date)=" + Y + " and month(a.fadd_date)=" + M)
    put("frm_KnufeFlagDay.sample.sql", s, ["fcutno", "fgoodsid", "fprocedue_no", "fprocedurename"],
        "sample row of the month")
    D = Y + "-" + M + "-01"
    for tag, P, knufe in (("plain", V["flag_p"], ""), ("filtered", V["flag_p"], V["sel_knufe"]),
                          ("nooutput", ("", "", "", ""), "")):
        s = ("select right('00'+convert(varchar(2),day(b.fbilldate)),2) as 日期," + R
             + "床次=case when a.fcutno is null then '" + P[0] + "'" + " else a.fcutno end," + R
             + "货号=case when a.fgoodsid is null then " + "'" + P[1] + "'" + " else a.fgoodsid end," + R
             + "工序号=case when a.fprocedue_no is null then " + "'" + P[2] + "'" + " else a.fprocedue_no end," + R
             + "工序名=case when a.fprocedurename is null then " + "'" + P[3] + "'" + " else a.fprocedurename end," + R
             + "数量=case when a.fqty is null then 0 else a.fqty end" + R
             + "from (SELECT * from FN_MonthDay(" + "'" + D + "'" + "))b left join (" + R
             + "select a.fcutno,a.fgoodsid,a.fadd_date,a.fprocedue_no,c.fprocedurename,sum(isnull(a.fqty,0)) fqty from (" + R
             + "select a.fbillid,a.fknufeid,a.fcutno,a.fgoodsid,a.fadd_date,a.fprocedue_no,sum(isnull(fquantity_2,0)) fqty from gm_proroll a"
             + R + "group by a.fbillid,a.fknufeid,a.fcutno,a.fgoodsid,a.fadd_date,a.fprocedue_no" + R + "union all" + R
             + "select b.fproduceid,b.fbillid,b.fcutno,b.fgoodsid,a.fadd_date,a.fprocedue_no,sum(isnull(fquantity,0)) fqty from gm_procount a join gm_knufe b on a.fknufeid=b.fbillid"
             + R + "group by b.fproduceid,b.fbillid,b.fcutno,b.fgoodsid,a.fadd_date,a.fprocedue_no)a" + R
             + "join V_produceOfBill c on a.fbillid=c.fbillid and a.fprocedue_no=c.fprocedureid" + R
             + "where 1=1 and year(a.fadd_date)=" + Y + " and month(a.fadd_date)=" + M + R)
        s += inlist(" and a.fknufeid in", knufe)
        s += (" group by a.fcutno,a.fgoodsid,a.fadd_date,a.fprocedue_no,c.fprocedurename)a on b.fbilldate=a.fadd_date" + R
              + "order by b.fbilldate,a.fcutno,a.fprocedue_no")
        put("frm_KnufeFlagDay.%s.sql" % tag, s, ["日期", "床次", "货号", "工序号", "工序名", "数量"],
            "sample values P1..P4 %s; sel_knufe %s" % (list(P), knufe or "empty"))


# ---------------------------------------------------------------------------
# Category rankings of wholesale and retail sales, and price bands
# ---------------------------------------------------------------------------
def ranking():
    C = V["sort_col"]
    put("frm_SaLp_SaleSort.sortlist.sql",
        "select * from ba_fieldremark where fTableName='goods' and visiblebit=1  order by fid", None,
        "category box fill (also ShopSort, SortPrice, DeliSort, RatialStockSort, NewGoodsRetail)")
    put("frm_SaLp_SaleSort.sortresolve.sql",
        "select * from ba_fieldremark where ftablename='goods' and ffieldremark='" + V["sort_label"] + "'", None,
        "category resolution, label " + V["sort_label"]
        + " (also every window with com_sort and the shop goods totals window's category lookup)")

    def tail(st):
        t = st.billclause() + st.inputclause()
        t += inlist(" and a.fgoodsid in", st.sel_goods) + inlist(" and b.fclientcode in", st.sel_client)
        t += inlist(" and b.fclientcode in", st.cc) + inlist(" and c.brand in", st.bb)
        return t

    for tag, st in track((("plain", PLAIN), ("filtered", filtered()))):
        s = ("select b.fclientcode 客户编号,d.fabbrev 客户简称,d.fmathod 客户性质,d.fgrad 客户等级,e.fname as 地区名称,c." + C
             + " 大类名称,sum(a.qty) 数量,sum(a.qty*isnull(a.fbalancprice,0)) as 金额,比例=NULL" + R
             + " from d_saledetail a join d_sale b on a.fbillid=b.fbillid" + R
             + "join goods c on a.fgoodsid=c.goodsid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode"
             + R + "where B.fposted=1 and d.fmathod not in(" + "'自营'" + "," + "'专柜'" + ")" + R)
        s += tail(st) + " group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,c." + C
        put("frm_SaLp_SaleSort.%s.sql" % tag, s,
            ["客户编号", "客户简称", "客户性质", "客户等级", "地区名称", "大类名称", "数量", "金额", "比例"])

        s = ("select b.fclientcode 店铺编号,d.fabbrev 店铺简称,d.fmathod 店铺性质,d.fgrad 店铺等级,e.fname as 地区名称,c." + C
             + " 大类名称,a.fbalancprice as 售价,sum(a.qty) 数量,sum(a.qty*isnull(a.fbalancprice,0)) as 金额,比例=NULL" + R
             + " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid" + R
             + "join goods c on a.fgoodsid=c.goodsid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode"
             + R + "where B.fposted=1 " + R)
        s += tail(st) + " group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,a.fbalancprice,c." + C
        put("frm_SaLp_ShopSort.%s.sql" % tag, s,
            ["店铺编号", "店铺简称", "店铺性质", "店铺等级", "地区名称", "大类名称", "售价", "数量", "金额", "比例"])

        s = ("select 价位名称=case when d.fname is not null then d.fname else '其他' end,c." + C
             + " AS 大类名称,sum(a.qty) as 数量,sum(a.qty*isnull(a.fbalancprice,0)) 金额,比例=null" + R
             + " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid" + R
             + "join goods c on a.fgoodsid=c.goodsid left join V_GoodsPriceRange d on c.goodsid=d.goodsid" + R
             + "where b.fposted=1 ")
        s += tail(st) + " group by d.fname,c." + C + " order by d.fname"
        put("frm_SaLp_SortPrice.%s.sql" % tag, s, ["价位名称", "大类名称", "数量", "金额", "比例"])

        s = ("select 价位名称=case when d.fname is not null then d.fname else '其他' end,c." + C
             + " AS 大类名称,sum(a.qty) as 数量,sum(a.qty*isnull(a.fbalancprice,0)) 金额,比例=null" + R
             + " from d_saledetail a join d_sale b on a.fbillid=b.fbillid" + R + "join dt_client e on b.fclientcode=e.fcode"
             + R + "join goods c on a.fgoodsid=c.goodsid left join V_GoodsPriceRange d on c.goodsid=d.goodsid" + R
             + "where b.fposted=1 and e.fmathod not in(" + "'自营'" + "," + "'专柜'" + ")" + R)
        s += tail(st) + " group by d.fname,c." + C + " order by d.fname"
        put("frm_SaLp_DeliSort.%s.sql" % tag, s, ["价位名称", "大类名称", "数量", "金额", "比例"])


# ---------------------------------------------------------------------------
# Goods price structure and stock-to-sales ratios
# ---------------------------------------------------------------------------
def prices():
    C = V["sort_col"]
    put("frm_SaLp_GoodsPrice.sortlist.sql",
        "select * from ba_fieldremark where fTableName='goods' and visiblebit=1 and fid not in(1002,1003,1004) order by fid",
        None, "category box fill of the price window (also the shop goods totals window)")
    for tag, st in track((("plain", PLAIN), ("filtered", filtered()))):
        s = ("select 价位名称=case when b.fname is not null then b.fname else '其他' end,a." + C
             + " 大类名称,a.brand 品牌,a.ayear 年份," + R
             + "a.season 季节,count(a.goodsid) as 款号数,avg(isnull(a.unitprice,0)) as 平均单价,比例=NULL" + R
             + "from goods a left join V_GoodsPriceRange b on a.goodsid=b.goodsid" + R + "where 1=1 " + R)
        s += inlist(" and a.fgoodsid in", st.sel_goods) + inlist(" and a.brand in", st.bb)
        s += " group by b.fname,a." + C + ",a.brand,a.ayear,a.season"
        put("frm_SaLp_GoodsPrice.%s.sql" % tag, s, ["价位名称", "大类名称", "品牌", "年份", "季节", "款号数", "平均单价", "比例"])

        avg = ("平均售价=case when sum(isnull(a.saleqty,0))=0 then 0 else convert(numeric (18,2),sum(salesumto)/sum(saleqty)) end,"
               + R + "平均成本价=case when sum(isnull(a.stockqty,0))=0 then 0 else convert(numeric (18,2),sum(a.stockqty*isnull(d.planprice,0))/sum(stockqty)) end,"
               + R)
        sums = ("sum(a.saleqty) 零售数量,sum(salesumto) 零售金额,sum(a.stockqty) 店存数量,sum(a.stockqty*isnull(d.planprice,0)) 店存金额,"
                + R)
        inner = ("from(select b.fclientcode,a.fgoodsid,sum(a.qty) saleqty,sum(a.qty*isnull(a.fbalancprice,0)) as salesumto,stockqty=0"
                 + R + " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid where 1=1" + R)
        mid = st.billclause() + st.inputclause()
        mid += ("group by b.fclientcode,a.fgoodsid" + R + "union all" + R
                + "select a.fclientcode,a.fgoodsid,saleqty=0,salesumto=0.00,sum(a.qty) qty from s_stock a join goods b on a.fgoodsid=b.goodsid"
                + R + "group by a.fclientcode,a.fgoodsid)a" + R
                + "join goods b on a.fgoodsid=b.goodsid join dt_client c on a.fclientcode=c.fcode" + R
                + "left join v_clientprice d on a.fclientcode=d.fclientcode and a.fgoodsid=d.fgoodsid" + R + "WHERE 1=1" + R)
        mid += (inlist(" and b.fgoodsid in", st.sel_goods) + inlist(" and c.fcode in", st.sel_client)
                + inlist(" and c.fcode in", st.cc) + inlist(" and b.brand in", st.bb))
        ratio_cols = ["零售数量", "零售金额", "店存数量", "店存金额", "平均售价", "平均成本价", "存销比", "比例"]
        s = ("select a.fclientcode 店铺编号,c.fabbrev 店铺简称,c.fmathod 店铺性质,c.fgrad 店铺等级,b.brand 品牌,b.ayear 年份,b.season 季节,b."
             + C + " as 大类名称," + R + sums + avg + "存销比=case when sum(a.saleqty)=0 then null else" + R
             + "convert([numeric](18, 4),sum(a.stockqty)/sum(a.saleqty)) end,比例=NULL" + R + inner + mid
             + " group by a.fclientcode,c.fabbrev,c.fmathod,c.fgrad,b.brand,b.ayear,b.season,b." + C)
        put("frm_SaLp_RatialStockSort.%s.sql" % tag, s,
            ["店铺编号", "店铺简称", "店铺性质", "店铺等级", "品牌", "年份", "季节", "大类名称"] + ratio_cols)
        s = ("select a.fclientcode 店铺编号,c.fabbrev 店铺简称,c.fmathod 店铺性质,c.fgrad 店铺等级,a.fgoodsid 货号,b.goodsname 货品名称,b.unitprice 吊牌价,"
             + R + sums + avg
             + "存销比=case when sum(a.saleqty)=0 then null else convert([numeric](18, 4),sum(a.stockqty)/convert(float,sum(a.saleqty))) end,比例=NULL"
             + R + inner + mid + " group by a.fclientcode,c.fabbrev,c.fmathod,c.fgrad,a.fgoodsid,b.goodsname,b.unitprice")
        put("frm_SaLp_RetailStock.%s.sql" % tag, s,
            ["店铺编号", "店铺简称", "店铺性质", "店铺等级", "货号", "货品名称", "吊牌价"] + ratio_cols)


# ---------------------------------------------------------------------------
# Shipments against purchases per goods item
# ---------------------------------------------------------------------------
def salepurchase():
    for tag, st in track((("plain", PLAIN), ("filtered", filtered(bill=False)))):
        s = ("select a.goodsid,a.goodsname,a.unitprice,c.fbegindate,DATEDIFF(day,c.fbegindate, getdate()) as fsaledaycount,sum(isnull(c.qty,0)) recevingqty,"
             + R + "sum(isnull(b.qty,0)) saleqty,sum(isnull(b.sumto,0)) salesumto,sum(isnull(d.qty,0)) stockqty,fbyb=case when sum(isnull(c.qty,0))=0 then null"
             + R + "else convert([numeric](18, 4),convert([numeric](18, 4),sum(isnull(b.qty,0)))/convert([numeric](18, 4),sum(isnull(c.qty,0)))) end"
             + R + " from goods a left join (select a.fgoodsid,sum(a.qty) as qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto from d_saledetail a join d_sale b on a.fbillid=b.fbillid"
             + R + "where b.fposted=1" + R)
        s += inlist(" and b.fclientcode in", st.sel_client) + inlist(" and b.fhousecode in", st.sel_house)
        s += (" group by a.fgoodsid)b on a.goodsid=b.fgoodsid left join" + R
              + "(select a.fgoodsid,min(b.fbilldate) as fbegindate,sum(a.qty) as qty from d_recevingdetail a join d_receving b on a.fbillid=b.fbillid"
              + R + "where b.fposted=1 " + R)
        s += inlist(" and b.fhousecode in", st.sel_house)
        s += " group by a.fgoodsid)c on a.goodsid=c.fgoodsid left join" + R + "(select a.fgoodsid,sum(a.qty) qty from stock a where 1=1 " + R
        s += inlist(" and a.fhousecode in", st.sel_house)
        s += " group by a.fgoodsid)d" + R + "on a.goodsid=d.fgoodsid where 1=1 " + R
        s += inlist(" and a.goodsid in", st.sel_goods) + inlist(" and a.brand in", st.bb)
        s += " group by a.goodsid,a.goodsname,a.unitprice,c.fbegindate"
        put("frm_SaLp_SalePurchase.%s.sql" % tag, s,
            ["goodsid", "goodsname", "unitprice", "fbegindate", "fsaledaycount", "recevingqty", "saleqty", "salesumto",
             "stockqty", "fbyb"])


# ---------------------------------------------------------------------------
# Expense charges per day, per day of a month, per month of a year
# ---------------------------------------------------------------------------
def charges():
    Y, M = V["year"], V["month"]
    for tag, st in track((("plain", PLAIN), ("filtered", State(bill=True)))):
        s = ("select b.fbilldate 日期,a.fitem 费用项目,sum(isnull(a.famount,0)) as 金额,比例=NULL from b_chargesde a join b_charges b on a.fbillid=b.fbillid"
             + R + "where b.fposted=1" + R)
        s += st.billclause() + " group by b.fbilldate,a.fitem order by b.fbilldate,a.fitem"
        put("frm_SalPBchargesDay.%s.sql" % tag, s, ["日期", "费用项目", "金额", "比例"])
    D = Y + "-" + M + "-01"
    s = ("select right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期,b.fitem 费用项目,b.famount 金额,比例=NULL from"
         + R + "(select * from FN_MonthDay('" + D + "'" + "))a left join" + R
         + "(select b.fbilldate,a.fitem,sum(isnull(a.famount,0)) as famount from b_chargesde a join b_charges b on a.fbillid=b.fbillid"
         + R + "where b.fposted=1 and year(b.fbilldate)=" + Y + " and month(b.fbilldate)=" + M + R
         + "group by b.fbilldate,a.fitem)b on a.fbilldate=b.fbilldate")
    put("frm_SalpBchargesMonth.plain.sql", s, ["日期", "费用项目", "金额", "比例"], "year and month only")
    s = ("select right('0'+convert(varchar(2),a.fmonth)+'月',3) as 月份,b.fitem 费用项目,b.famount 金额,比例=NULL from"
         + R + "v_monthlist a left join" + R
         + "(select month(b.fbilldate) as fmonth,a.fitem,sum(isnull(a.famount,0)) as famount from b_chargesde a join b_charges b on a.fbillid=b.fbillid"
         + R + "where b.fposted=1 and year(b.fbilldate)=" + Y + R + "group by month(b.fbilldate),a.fitem)b on a.fmonth=b.fmonth")
    put("frm_SalpBchargesYear.plain.sql", s, ["月份", "费用项目", "金额", "比例"], "year only")


# ---------------------------------------------------------------------------
# Retail of new goods by days since their first receipt
# ---------------------------------------------------------------------------
def newgoods():
    C = V["sort_col"]
    for tag, st, N in track((("plain", State(d1=V["wide1"], d2=V["wide2"], always=True), 7),
                       ("filtered", State(sel_client=V["sel_shop"], restricted=True, always=True), V["newgoods_n_filtered"]))):
        D1, D2 = st.d1, st.d2
        dd = "datediff(day,b.fmindate," + "'" + D2 + "'" + ")"
        s = ("select a.fclientcode 店铺编号,c.fabbrev 店铺简称,c.fmathod 店铺性质,a.fgoodsid 货号,b.goodsname 货品名称,b.unitprice 吊牌价,b."
             + C + " 大类名称,sum(isnull(a.qty,0)) 库存数,COUNT(distinct(a.fgoodsid)) 款号数," + R
             + "a.fdaycount 上市天数,sum(isnull(a.saleqty,0)) 销售量,sum(isnull(a.sumto,0)) 销售额,sum(isnull(a.fbillcount,0)) 客流量" + R)
        s += (" from (select a.fclientcode,a.fgoodsid,a.qty,b.fmindate,fdaycount=case when " + dd + "<=" + str(N) + " then "
              + "'" + "A(1-" + str(N) + "天)" + "'" + R)
        for k, letter in enumerate("BCDEFGH", 1):
            s += ("when " + dd + ">" + str(k * N) + " and " + dd + "<=" + str((k + 1) * N) + " then " + "'" + letter + "("
                  + str(k * N + 1) + "-" + str((k + 1) * N) + "天)" + "'" + R)
        s += ("ELSE  " + "'" + "I(大于" + str(8 * N) + "天)" + "'" + " END,c.qty as saleqty,c.sumto,c.fbillcount from" + R
              + "(select a.fclientcode,a.fgoodsid,sum(isnull(a.qty,0)) qty from s_stock a WHERE 1=1" + R
              + " group by a.fclientcode,a.fgoodsid)a" + R + "left join" + R
              + "(select b.fclientcode,a.fgoodsid,min(b.fbilldate) fmindate" + R
              + "from d_s_recevingdetail a join d_s_receving b on a.fbillid=b.fbillid" + R
              + "group by b.fclientcode,a.fgoodsid)b on a.fclientcode=b.fclientcode and a.fgoodsid=b.fgoodsid" + R
              + "left join" + R
              + "(select b.fclientcode,a.fgoodsid,sum(isnull(a.qty,0)) qty,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto,count(b.fbillid) fbillcount"
              + R + "from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid where 1=1 " + R
              + " and b.fbilldate>=" + "'" + D1 + "'" + " and b.fbilldate<=" + "'" + D2 + "'" + R
              + " group by b.fclientcode,a.fgoodsid)c" + R + "on a.fclientcode=c.fclientcode and a.fgoodsid=c.fgoodsid)a"
              + R + "join goods b on a.fgoodsid=b.goodsid left join dt_client c on a.fclientcode=c.fcode" + R
              + "where isnull(qty,0)<>0 and isnull(saleqty,0)<>0 " + R)
        s += (inlist(" and a.fclientcode in", st.sel_client) + inlist(" and a.fclientcode in", st.cc)
              + inlist(" and a.fgoodsid in", st.sel_goods))
        s += (" group by a.fclientcode,c.fabbrev,c.fmathod,a.fgoodsid,b.goodsname,b.unitprice,b." + C + ",a.fdaycount" + R
              + "order by a.fclientcode,c.fabbrev,c.fmathod,a.fdaycount")
        put("frm_NewGoodsRetail.%s.sql" % tag, s,
            ["店铺编号", "店铺简称", "店铺性质", "货号", "货品名称", "吊牌价", "大类名称", "库存数", "款号数", "上市天数", "销售量", "销售额",
             "客流量"])


# ---------------------------------------------------------------------------
# Shop goods totals: receipts to stock per shop and goods, with size lists
# ---------------------------------------------------------------------------
def shopgoods():
    names = V["size_names"]
    sel = ",".join("isnull(a.s%d,0) as [%s]" % (i, nm) for i, nm in enumerate(names, 1))
    sm = ",".join("sum(isnull(a.s%d,0)) as s%d" % (i, i) for i, _ in enumerate(names, 1))
    zero = ",".join("s%d=0" % i for i, _ in enumerate(names, 1))
    states = (
        ("plain", State(sel_client=V["sel_shop"], size=True)),
        ("nosize", State(sel_client=V["sel_shop"])),
        ("filtered", State(sel_client=V["sel_shop"], sel_goods=V["sel_goods"], bill=True, restricted=True, size=True)),
    )
    for tag, st in track(states):
        def shopf(S, G):
            t = ""
            if st.sel_client:
                t += " and " + S + " in(" + st.sel_client + ")" + R
            if st.sel_goods:
                t += " and " + G + " in(" + st.sel_goods + ")" + R
            if st.cc:
                t += " and " + S + " in(" + st.cc + ")" + R
            return t

        s = ("select b.fabbrev 店铺简称,b.fmathod 店铺性质,c.goodsname 货品名称,c.sort 类别,c.unitprice 吊牌价,c.colorname_ch as 颜色名称,d.fmindate 上市日期,d.fdatecount 到货天数,"
             + R + "a.fclientcode 店铺编号,a.ftype 数据类别,a.fgoodsid 货号,a.fcolorid 颜色编号,a.qty 合计,占比=NULL,动销率=NULL,比例=NULL" + R)
        if st.size:
            s += "," + sel + R
        s += " from (" + R
        branches = (
            ("1进", " from d_s_recevingdetail a join d_s_receving b on a.fbillid=b.fbillid where 1=1 ", "union all" + R),
            ("1进", " from d_s_folddetail a join d_s_fold b on a.fbillid=b.fbillid where 1=1 ", " union all" + R),
            ("2销", " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid where 1=1 ", " union all" + R),
            ("3退", " from d_s_pureturndetail a join d_s_pureturn b on a.fbillid=b.fbillid where 1=1 ", "union all" + R),
            ("3退", " from d_s_transferdetail a join d_s_transfer b on a.fbillid=b.fbillid where 1=1 ", "union all" + R),
        )
        for typ, frm, joiner in branches:
            s += "select ftype=" + "'" + typ + "'" + ",b.fclientcode,a.fgoodsid,a.fcolorid,sum(isnull(a.qty,0)) qty" + R
            if st.size:
                s += "," + sm + R
            s += frm + R + st.billclause() + shopf("b.fclientcode", "a.fgoodsid")
            s += " group by b.fclientcode,a.fgoodsid,a.fcolorid" + R + joiner
        s += "select ftype=" + "'" + "4存" + "'" + ",fclientcode,fgoodsid,fcolorid,sum(isnull(qty,0)) qty" + R
        if st.size:
            s += "," + sm + R
        s += " from s_stock a where 1=1 " + R + shopf("fclientcode", "fgoodsid") + " group by fclientcode,fgoodsid,fcolorid" + R
        for typ in ("1进", "2销", "3退", "4存"):
            s += " union all" + R + "select  ftype=" + "'" + typ + "'" + ",a.fcode,b.goodsid,b.colorid,qty=0"
            if st.size:
                s += "," + zero
            s += R + " from dt_client a,(select top 1 goodsid,colorid from vgoodscolor)b where 1=1" + R
            s += shopf("a.fcode", "b.goodsid")
        s += (" )a" + R + "left join dt_client b on a.fclientcode=b.fcode" + R
              + "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + R
              + "left join (select ftype=" + "'" + "进" + "'"
              + ",a.fgoodsid,a.fcolorid,min(b.fbilldate) fmindate,datediff(day,min(b.fbilldate),getdate()) fdatecount" + R
              + "from d_s_recevingdetail a join d_s_receving b on a.fbillid=b.fbillid where 1=1 " + R)
        s += shopf("b.fclientcode", "a.fgoodsid")
        s += " group by a.fgoodsid,a.fcolorid)d on a.fgoodsid=d.fgoodsid and a.fcolorid=d.fcolorid"
        cols = ["店铺简称", "店铺性质", "货品名称", "类别", "吊牌价", "颜色名称", "上市日期", "到货天数", "店铺编号", "数据类别", "货号",
                "颜色编号", "合计", "占比", "动销率", "比例"]
        put("frm_ShopGoodsTotal.%s.sql" % tag, s, cols + (list(names) if st.size else []))

    base = "select fcode from dt_client where fcode in(" + V["sel_shop"] + ")"
    put("frm_ShopGoodsTotal.shopcount.sql", base, ["fcode"], "workbook shop count, sel_client %s, unrestricted user" % V["sel_shop"])
    put("frm_ShopGoodsTotal.shopcount_scoped.sql", base + " and fcode in(" + V["pub_clientcodes"] + ")" + R, ["fcode"],
        "workbook shop count, sel_client %s, restricted user (ends with a carriage return)" % V["sel_shop"])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "data")
    os.makedirs(out, exist_ok=True)
    for gen in (session, pickers, monthly, yearly, stock, orders, periods, discounts, production, ranking, prices,
                salepurchase, charges, newgoods, shopgoods):
        gen()
    for old in os.listdir(out):
        if old.endswith(".sql") and old not in files:
            os.remove(os.path.join(out, old))
    for name, text in sorted(files.items()):
        with open(os.path.join(out, name), "wb") as f:
            f.write(text.encode("utf-8"))
    with open(os.path.join(out, "columns.tsv"), "wb") as f:
        for name in sorted(columns):
            f.write((name + "\t" + "\t".join(columns[name]) + "\n").encode("utf-8"))
    with open(os.path.join(out, "README.md"), "wb") as f:
        f.write(readme().encode("utf-8"))
    print("%d statements, %d with columns" % (len(files), len(columns)), file=sys.stderr)


README_HEAD = """# Statement corpus

Every file here is one statement exactly as the plug-in sends it to the database: the
fixed texts of the window, its filter clauses under their conditions, one carriage return
(byte 0x0D, never 0x0A) as the line break, no line break at the end unless the window
writes one, double blanks and blanks before line breaks kept.  The files are written by
`../make_corpus.py`; edit the script, not the files, and run it again.

`columns.tsv`: one line per statement whose result columns are fixed by its select list:
the file name, then the column names in order, all separated by TABs.  For the monthly and
yearly reports and the shop goods totals report the lists are the documented result column
tables; for the other windows they are the aliases of the select list as the window writes
it (a plain column reference keeps its column name, e.g. `fbilldate`).  Statements that
select `*` (pickers, session, rights) have no line.

The test `test_corpus` runs every file on a scale-1 demo database through
`TRemoteUdpDataSet` (`ExecSQL` for the usage-log inserts), checks the column names where
`columns.tsv` lists them, requires rows from every `*.plain.sql`, and checks that the period
reports return exactly one row per partner and day (or month).

## Values used

- Year {year}, month {month}; the monthly windows form their first day as year-month-01
  with the month unpadded (`{year}-{month}-01`), the franchise monthly window as
  year-month-1 (`{year}-{month}-1`), both exactly as the windows concatenate them.
- Dates are written as yyyy-mm-dd (the system's short date format).  Business and entry
  date ranges of the filtered states: {d1} to {d2}.  Windows whose range has no check box
  (batch retail `frm_SsaleRece`, new goods `frm_NewGoodsRetail`) use {wide1} to {wide2}
  in the plain state and {d1} to {d2} in the filtered state.
- Picker lists: clients/shops {sel_client}, goods {sel_goods}, warehouses {sel_house},
  suppliers {sel_supplier}, cutting bills {sel_knufe}.
- User scope of the restricted states: clients {pub_clientcodes}, warehouses
  {pub_housecodes}, brands {pub_brandcodes} (the demo's user {userno} is restricted in the
  same three ways; the session, rights and usage-log statements use that user number).
  "plain" states are for an unrestricted user.
- Size columns: N = {sizecount} (`size_columns` = sum(isnull(a.s1,0)) as [尺码1],...);
  size names of the size class holding the highest display index: {size_names}.
- Goods category: label {sort_label}, resolved column `{sort_col}`.
- New goods band width: 7 (default) in the plain state, {newgoods_n} in the filtered state.
- Cutting-bill picker: its opening range (30 days before "today" to "today") is taken as
  {knufe_d1} to {knufe_d2}.  Process day report: the sample values P1..P4 are the first row
  that `frm_KnufeFlagDay.sample.sql` returns on the demo data ({flag_p}).
- Usage log: date {logdate}, time {logtime}, caption 销售出仓月度分析总表; rights list
  name {listname}.

## Readings chosen where the text allows more than one

- A window's "plain" state: no picker list, every date check box unticked, unrestricted
  user; where the window requires an input (a shop in the shop-assistant windows, shops in
  the shop goods totals window) it is given, and ranges without a check box are applied.
- The "filtered" state ticks only the check boxes that the window shows: the entry-date
  clause appears only in the order windows (`frm_OLAPorder`, `frm_OLAPSale`,
  `frm_OLAPorderDis`, `frm_OLAPOrderSort`, `frm_RationSort`); the other windows hide that box.
- `frm_OLAPSale`'s grouping text begins "group by" without a leading blank, and its
  posted clause has no line break; `frm_OLAPSale.posted.sql` (only `postedcheck` ticked)
  therefore contains `b.fposted=1group by`, kept as the window builds it.  Likewise the
  yearly franchise report has no line break after the last filter text (`...=2025group by`).
- The stock windows `frm_OLAPMyShopStock` / `frm_OLAPclientStock` close their sub-select
  with ")" and no line break before the brand, goods or group-by text.
- Texts shared by several windows are stored once: the category box fill
  (`frm_SaLp_SaleSort.sortlist.sql`), the category resolution
  (`frm_SaLp_SaleSort.sortresolve.sql`, also the shop goods totals window's lookup), the
  size list (`frm_OLAPAllStock.sizelist.sql`, also the shop goods totals window), the
  goods picture (`base_OLAPreport.goodsimage.sql`, also F7 in the shop goods workbook).
- Typed search texts are spliced with their apostrophes doubled (the plug-in's rule for typed
  texts; the `*.search_quote.sql` files carry one); codes from pickers are spliced as read.
- The goods picker's attribute condition joins the partly ticked roots as
  "(col in('v1','v2'))and(col2 in('v3'))" and is appended after " and ".

## Files
"""


def readme():
    vals = dict(V)
    vals["size_names"] = ", ".join(V["size_names"])
    vals["newgoods_n"] = V["newgoods_n_filtered"]
    vals["knufe_d1"] = V["knufe_search"]["d1"]
    vals["knufe_d2"] = V["knufe_search"]["d2"]
    vals["flag_p"] = ", ".join(V["flag_p"])
    text = README_HEAD.format(**vals)
    for name, note in sorted(notes):
        window = name.split(".")[0]
        state = name.split(".")[1]
        text += "- `%s`: %s, %s%s\n" % (name, window, state, (" — " + note) if note else "")
    return text


if __name__ == "__main__":
    main()
