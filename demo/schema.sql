-- Demo host database: the host application's SQL Server schema as the
-- report windows, pickers and session steps of the plug-in read it, on SQLite.
--
-- Conventions: codes and names are TEXT COLLATE tsql_ci (case-insensitive,
-- trailing blanks ignored, as the host's collation); money is REAL so that it
-- divides as SQL Server divides decimals; quantities are INTEGER so integer
-- division truncates; dates are 'yyyy-mm-dd' TEXT, a few with a time of day
-- ('yyyy-mm-dd hh:mm:ss'). s1..s10 hold the quantity per size position
-- (position = ba_size.displayindex of the goods' size class).
--
-- The generator runs this file in two parts: everything above the line
-- '-- @indexes' before the bulk insert, the rest after it.

-- ---------------------------------------------------------------- master data
CREATE TABLE ba_area (
    fcode TEXT COLLATE tsql_ci NOT NULL,
    fname TEXT COLLATE tsql_ci,
    fregion TEXT COLLATE tsql_ci
);
CREATE TABLE dt_employee (
    fcode TEXT COLLATE tsql_ci NOT NULL,
    fnamech TEXT COLLATE tsql_ci,
    fsex TEXT COLLATE tsql_ci,
    fdeptname TEXT COLLATE tsql_ci,
    fposition TEXT COLLATE tsql_ci,
    fclientcode TEXT COLLATE tsql_ci,
    fmobile TEXT COLLATE tsql_ci,
    fjoindate TEXT,
    fstopbit INTEGER DEFAULT 0
);
CREATE TABLE dt_client (
    fcode TEXT COLLATE tsql_ci NOT NULL,
    fname TEXT COLLATE tsql_ci,
    fabbrev TEXT COLLATE tsql_ci,
    fmathod TEXT COLLATE tsql_ci,
    fgrad TEXT COLLATE tsql_ci,
    fprice_type TEXT COLLATE tsql_ci,
    fdiscount REAL,
    fareacode TEXT COLLATE tsql_ci,
    frpdtmancode TEXT COLLATE tsql_ci,
    keyman TEXT COLLATE tsql_ci,
    ftel TEXT COLLATE tsql_ci,
    faddress TEXT COLLATE tsql_ci,
    fopendate TEXT,
    fstopbit INTEGER DEFAULT 0
);
CREATE TABLE dt_supplier (
    fcode TEXT COLLATE tsql_ci NOT NULL,
    fname TEXT COLLATE tsql_ci,
    fabbrev TEXT COLLATE tsql_ci,
    ftype TEXT COLLATE tsql_ci,
    keyman TEXT COLLATE tsql_ci,
    fareacode TEXT COLLATE tsql_ci,
    ftel TEXT COLLATE tsql_ci,
    faddress TEXT COLLATE tsql_ci
);
CREATE TABLE dt_house (
    fcode TEXT COLLATE tsql_ci NOT NULL,
    fname TEXT COLLATE tsql_ci,
    ftype TEXT COLLATE tsql_ci,
    keyman TEXT COLLATE tsql_ci,
    fareacode TEXT COLLATE tsql_ci,
    ftel TEXT COLLATE tsql_ci,
    faddress TEXT COLLATE tsql_ci
);
CREATE TABLE ba_brand (
    fname TEXT COLLATE tsql_ci NOT NULL,
    fenname TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE ba_color (
    fcode TEXT COLLATE tsql_ci NOT NULL,
    colorname_ch TEXT COLLATE tsql_ci,
    colorname_en TEXT COLLATE tsql_ci,
    frgb INTEGER
);
CREATE TABLE ba_size (
    size_class TEXT COLLATE tsql_ci NOT NULL,
    size_name TEXT COLLATE tsql_ci NOT NULL,
    displayindex INTEGER
);
CREATE TABLE goods (
    goodsid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    goodsname TEXT COLLATE tsql_ci,
    brand TEXT COLLATE tsql_ci,
    ayear TEXT COLLATE tsql_ci,
    season TEXT COLLATE tsql_ci,
    sort TEXT COLLATE tsql_ci,
    item TEXT COLLATE tsql_ci,
    sex TEXT COLLATE tsql_ci,
    style TEXT COLLATE tsql_ci,
    masterial TEXT COLLATE tsql_ci,
    lining TEXT COLLATE tsql_ci,
    patter TEXT COLLATE tsql_ci,
    size_class TEXT COLLATE tsql_ci,
    unit TEXT COLLATE tsql_ci,
    unitprice REAL,
    fcostprice REAL,
    fsuppliercode TEXT COLLATE tsql_ci,
    strat TEXT,
    inputdate TEXT,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE goodscolor (
    goodsid TEXT COLLATE tsql_ci NOT NULL,
    colorid TEXT COLLATE tsql_ci NOT NULL
);
CREATE TABLE goodsImage (
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fimage BLOB,
    finputdate TEXT
);
CREATE TABLE ba_fieldremark (
    fid INTEGER NOT NULL,
    ftablename TEXT COLLATE tsql_ci NOT NULL,
    fname TEXT COLLATE tsql_ci NOT NULL,
    fFieldremark TEXT COLLATE tsql_ci,
    visiblebit INTEGER
);
CREATE TABLE ba_fieldvalues (
    fid INTEGER PRIMARY KEY,
    ftablename TEXT COLLATE tsql_ci NOT NULL,
    ffieldname TEXT COLLATE tsql_ci NOT NULL,
    fFieldValues TEXT COLLATE tsql_ci
);
CREATE TABLE ba_pricerange (
    fcode TEXT COLLATE tsql_ci NOT NULL,
    fname TEXT COLLATE tsql_ci,
    fminprice REAL,
    fmaxprice REAL
);
CREATE TABLE ba_clientprice (
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    planprice REAL
);
CREATE TABLE ba_chargeitem (
    fcode TEXT COLLATE tsql_ci NOT NULL,
    fname TEXT COLLATE tsql_ci
);

-- ------------------------------------------------------ users, rights, scope
CREATE TABLE sysuser (
    userno TEXT COLLATE tsql_ci NOT NULL,
    username TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE usermain (
    fgroupid TEXT COLLATE tsql_ci NOT NULL,
    fgroupname TEXT COLLATE tsql_ci
);
CREATE TABLE usermainde (
    fgroupid TEXT COLLATE tsql_ci NOT NULL,
    userno TEXT COLLATE tsql_ci NOT NULL
);
CREATE TABLE dr_right (
    autoid INTEGER PRIMARY KEY,
    listname TEXT COLLATE tsql_ci NOT NULL,
    fformname TEXT COLLATE tsql_ci,
    fmenuname TEXT COLLATE tsql_ci
);
CREATE TABLE dr_rightdetail (
    fentryid INTEGER PRIMARY KEY,
    autoid INTEGER NOT NULL,
    groupid TEXT COLLATE tsql_ci NOT NULL,
    b_add INTEGER DEFAULT 0,
    b_edit INTEGER DEFAULT 0,
    b_del INTEGER DEFAULT 0,
    b_browse INTEGER DEFAULT 0,
    b_posted INTEGER DEFAULT 0,
    b_print INTEGER DEFAULT 0,
    b_excel INTEGER DEFAULT 0,
    b_unposted INTEGER DEFAULT 0
);
CREATE TABLE userclient (
    fgroupid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fstockbit INTEGER
);
CREATE TABLE userbrand (
    fgroupid TEXT COLLATE tsql_ci NOT NULL,
    fbrand TEXT COLLATE tsql_ci NOT NULL
);
CREATE TABLE userhouse (
    fgroupid TEXT COLLATE tsql_ci NOT NULL,
    fhousecode TEXT COLLATE tsql_ci NOT NULL,
    fstockbit INTEGER,
    fdefaultbit INTEGER DEFAULT 0
);
CREATE TABLE syslog (
    autoid INTEGER PRIMARY KEY,
    logindate TEXT,
    begintime TEXT,
    userno TEXT COLLATE tsql_ci,
    clientname TEXT COLLATE tsql_ci,
    modename TEXT COLLATE tsql_ci,
    fbillid TEXT COLLATE tsql_ci,
    fstate TEXT COLLATE tsql_ci
);

-- ------------------------------------------------- wholesale and purchasing
CREATE TABLE d_order (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fhousecode TEXT COLLATE tsql_ci,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    fbilltype TEXT COLLATE tsql_ci,
    fmode TEXT COLLATE tsql_ci,
    fmanualid TEXT COLLATE tsql_ci,
    fmodidate TEXT,
    fbatchno TEXT COLLATE tsql_ci,
    femployeeid TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_orderdetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    qty INTEGER,
    fprice REAL,
    fdiscount REAL,
    fbalancprice REAL,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
CREATE TABLE d_ration (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fhousecode TEXT COLLATE tsql_ci,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    fbilltype TEXT COLLATE tsql_ci,
    fmode TEXT COLLATE tsql_ci,
    fmanualid TEXT COLLATE tsql_ci,
    fbatchno TEXT COLLATE tsql_ci,
    femployeeid TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_rationdetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    qty INTEGER,
    fprice REAL,
    fdiscount REAL,
    fbalancprice REAL,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
CREATE TABLE d_sale (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fhousecode TEXT COLLATE tsql_ci,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    fbilltype TEXT COLLATE tsql_ci,
    fmode TEXT COLLATE tsql_ci,
    fmanualid TEXT COLLATE tsql_ci,
    fbatchno TEXT COLLATE tsql_ci,
    frationid TEXT COLLATE tsql_ci,
    femployeeid TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_saledetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    qty INTEGER,
    fprice REAL,
    fdiscount REAL,
    fbalancprice REAL,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
CREATE TABLE d_salereturn (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fhousecode TEXT COLLATE tsql_ci,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    fbilltype TEXT COLLATE tsql_ci,
    fmanualid TEXT COLLATE tsql_ci,
    fsourcebillid TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_salereturndetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    qty INTEGER,
    fprice REAL,
    fdiscount REAL,
    fbalancprice REAL,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
CREATE TABLE d_receving (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fsuppliercode TEXT COLLATE tsql_ci NOT NULL,
    fhousecode TEXT COLLATE tsql_ci,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    fbilltype TEXT COLLATE tsql_ci,
    fmanualid TEXT COLLATE tsql_ci,
    fproduceid TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_recevingdetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    qty INTEGER,
    fprice REAL,
    fdiscount REAL,
    fbalancprice REAL,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
-- ---------------------------------------------------------------- settlements
CREATE TABLE d_payment (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    famount REAL,
    fpaytype TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_payments (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fsuppliercode TEXT COLLATE tsql_ci NOT NULL,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    famount REAL,
    fpaytype TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_subsreceipt (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    famount REAL,
    fpaytype TEXT COLLATE tsql_ci,
    forderid TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_subsreceipt_flag (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    famount REAL,
    fsubsbillid TEXT COLLATE tsql_ci,
    fsalebillid TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_charges (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    famount REAL,
    fitem TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE b_charges (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci,
    fdeptname TEXT COLLATE tsql_ci,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    femployeeid TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE b_chargesde (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fitem TEXT COLLATE tsql_ci,
    famount REAL,
    fmemo TEXT COLLATE tsql_ci
);

-- ----------------------------------------------------------------- shops (POS)
CREATE TABLE d_s_sale (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    fbilltype TEXT COLLATE tsql_ci,
    femployeeid TEXT COLLATE tsql_ci,
    fvipcode TEXT COLLATE tsql_ci,
    fpaytype TEXT COLLATE tsql_ci,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_s_saledetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    qty INTEGER,
    fprice REAL,
    fdiscount REAL,
    fbalancprice REAL,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
CREATE TABLE d_s_receving (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fhousecode TEXT COLLATE tsql_ci,
    fsalebillid TEXT COLLATE tsql_ci,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_s_recevingdetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    qty INTEGER,
    fprice REAL,
    fdiscount REAL,
    fbalancprice REAL,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
CREATE TABLE d_s_fold (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    foutclientcode TEXT COLLATE tsql_ci,
    ftransferid TEXT COLLATE tsql_ci,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_s_folddetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    qty INTEGER,
    fprice REAL,
    fdiscount REAL,
    fbalancprice REAL,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
CREATE TABLE d_s_pureturn (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fhousecode TEXT COLLATE tsql_ci,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_s_pureturndetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    qty INTEGER,
    fprice REAL,
    fdiscount REAL,
    fbalancprice REAL,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
CREATE TABLE d_s_transfer (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    ftoclientcode TEXT COLLATE tsql_ci,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    finputman TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE d_s_transferdetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    qty INTEGER,
    fprice REAL,
    fdiscount REAL,
    fbalancprice REAL,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);

-- ---------------------------------------------------------------------- stock
CREATE TABLE stock (
    fhousecode TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci NOT NULL,
    qty INTEGER,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
CREATE TABLE s_stock (
    fclientcode TEXT COLLATE tsql_ci NOT NULL,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci NOT NULL,
    qty INTEGER,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);

-- ----------------------------------------------------------------- production
CREATE TABLE gm_procedure (
    fcode TEXT COLLATE tsql_ci NOT NULL,
    fname TEXT COLLATE tsql_ci,
    fprice REAL
);
CREATE TABLE gm_produce (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fqty INTEGER,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE gm_producede (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fprocedureid TEXT COLLATE tsql_ci NOT NULL,
    fproprice REAL,
    fsortno INTEGER
);
CREATE TABLE gm_knufe (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    fmanualid TEXT COLLATE tsql_ci,
    fgoodsid TEXT COLLATE tsql_ci NOT NULL,
    fcutno TEXT COLLATE tsql_ci,
    fproduceid TEXT COLLATE tsql_ci,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE gm_knufede (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    fqty INTEGER,
    s1 INTEGER, s2 INTEGER, s3 INTEGER, s4 INTEGER, s5 INTEGER, s6 INTEGER, s7 INTEGER, s8 INTEGER, s9 INTEGER, s10 INTEGER
);
CREATE TABLE gm_knufeout (
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fbilldate TEXT,
    finputdate TEXT,
    fposted INTEGER DEFAULT 0,
    fsuppliercode TEXT COLLATE tsql_ci,
    fgoodsid TEXT COLLATE tsql_ci,
    fknufeid TEXT COLLATE tsql_ci,
    ftype TEXT COLLATE tsql_ci,
    fprice REAL,
    fmemo TEXT COLLATE tsql_ci
);
CREATE TABLE gm_knufeoutdetail (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fcolorid TEXT COLLATE tsql_ci,
    fqty INTEGER,
    frecqty INTEGER
);
CREATE TABLE gm_proroll (
    fentryid INTEGER PRIMARY KEY,
    fbillid TEXT COLLATE tsql_ci NOT NULL,
    fknufeid TEXT COLLATE tsql_ci,
    fcutno TEXT COLLATE tsql_ci,
    fgoodsid TEXT COLLATE tsql_ci,
    fadd_date TEXT,
    fprocedue_no TEXT COLLATE tsql_ci,
    fquantity_2 INTEGER,
    femployeeid TEXT COLLATE tsql_ci
);
CREATE TABLE gm_procount (
    fentryid INTEGER PRIMARY KEY,
    fproduceid TEXT COLLATE tsql_ci NOT NULL,
    fknufeid TEXT COLLATE tsql_ci,
    fprocedue_no TEXT COLLATE tsql_ci,
    fquantity INTEGER,
    femploycode TEXT COLLATE tsql_ci,
    fadd_date TEXT
);

-- ---------------------------------------------------------------------- views
-- One row per goods and colour.
CREATE VIEW vgoodscolor AS
SELECT g.goodsid, c.colorid, g.goodsname, k.colorname_ch, g.brand, g.ayear, g.season, g.sort,
       g.unitprice, g.sex, g.item, g.style, g.masterial, g.lining, g.patter, g.size_class, g.unit
FROM goods g
JOIN goodscolor c ON c.goodsid = g.goodsid
JOIN ba_color k ON k.fcode = c.colorid;

-- The price band of each goods by its tag price; goods above the last band
-- have no row (reports show them as 其他).
CREATE VIEW V_GoodsPriceRange AS
SELECT g.goodsid, r.fcode, r.fname
FROM goods g
JOIN ba_pricerange r ON g.unitprice >= r.fminprice AND g.unitprice < r.fmaxprice;

CREATE VIEW V_MonthList AS
SELECT column1 AS fmonth
FROM (VALUES (1), (2), (3), (4), (5), (6), (7), (8), (9), (10), (11), (12));

-- The processes of each production order with their piece rates.
CREATE VIEW V_produceOfBill AS
SELECT d.fbillid, d.fprocedureid, p.fname AS fprocedurename, d.fproprice
FROM gm_producede d
JOIN gm_procedure p ON p.fcode = d.fprocedureid;

CREATE VIEW v_employee AS
SELECT fcode, fnamech, fsex, fdeptname, fposition, fclientcode
FROM dt_employee;

CREATE VIEW v_clientprice AS
SELECT fclientcode, fgoodsid, planprice
FROM ba_clientprice;

-- Picker lists (the host's table functions fn_checkxxx(''), called with an
-- empty argument, become these views).
CREATE VIEW fn_checkclient AS
SELECT 0 AS checkid, c.fcode, c.fabbrev, c.fname, c.fmathod, c.fgrad, c.fprice_type,
       a.fname AS fareaname, c.fareacode, c.keyman, c.ftel
FROM dt_client c
LEFT JOIN ba_area a ON a.fcode = c.fareacode;

CREATE VIEW fn_checkgoods AS
SELECT 0 AS checkid, goodsid, goodsname, ayear, season, brand, unit, sort, item, sex, size_class,
       unitprice, strat, inputdate, style, masterial, lining, patter, fsuppliercode
FROM goods;

CREATE VIEW fn_checksupplier AS
SELECT 0 AS checkid, s.fcode, s.fabbrev, s.fname, s.keyman, a.fname AS fareaname, s.ftype, s.ftel
FROM dt_supplier s
LEFT JOIN ba_area a ON a.fcode = s.fareacode;

CREATE VIEW fn_checkhouse AS
SELECT 0 AS checkid, h.fcode, h.fname, h.keyman, a.fname AS fareaname, h.ftype
FROM dt_house h
LEFT JOIN ba_area a ON a.fcode = h.fareacode;

-- @indexes
CREATE UNIQUE INDEX ux_ba_area_fcode ON ba_area(fcode);
CREATE UNIQUE INDEX ux_dt_employee_fcode ON dt_employee(fcode);
CREATE UNIQUE INDEX ux_dt_client_fcode ON dt_client(fcode);
CREATE UNIQUE INDEX ux_dt_supplier_fcode ON dt_supplier(fcode);
CREATE UNIQUE INDEX ux_dt_house_fcode ON dt_house(fcode);
CREATE UNIQUE INDEX ux_ba_color_fcode ON ba_color(fcode);
CREATE UNIQUE INDEX ux_ba_chargeitem_fcode ON ba_chargeitem(fcode);
CREATE UNIQUE INDEX ux_gm_procedure_fcode ON gm_procedure(fcode);
CREATE UNIQUE INDEX ux_ba_pricerange_fcode ON ba_pricerange(fcode);
CREATE UNIQUE INDEX ux_ba_brand_fname ON ba_brand(fname);
CREATE INDEX ix_dt_client_fmathod ON dt_client(fmathod);
CREATE UNIQUE INDEX ux_ba_size ON ba_size(size_class, displayindex);
CREATE INDEX ix_ba_size_displayindex ON ba_size(displayindex);
CREATE UNIQUE INDEX ux_goods_goodsid ON goods(goodsid);
CREATE INDEX ix_goods_brand ON goods(brand);
CREATE UNIQUE INDEX ux_goodscolor ON goodscolor(goodsid, colorid);
CREATE INDEX ix_goodsimage_fgoodsid ON goodsImage(fgoodsid);
CREATE UNIQUE INDEX ux_ba_fieldremark ON ba_fieldremark(ftablename, fid);
CREATE INDEX ix_ba_fieldvalues ON ba_fieldvalues(ftablename, ffieldname);
CREATE UNIQUE INDEX ux_ba_clientprice ON ba_clientprice(fclientcode, fgoodsid);
CREATE UNIQUE INDEX ux_sysuser ON sysuser(userno);
CREATE UNIQUE INDEX ux_usermain ON usermain(fgroupid);
CREATE INDEX ix_usermainde_userno ON usermainde(userno);
CREATE INDEX ix_dr_right_listname ON dr_right(listname);
CREATE INDEX ix_dr_rightdetail ON dr_rightdetail(autoid, groupid);
CREATE INDEX ix_userclient ON userclient(fgroupid);
CREATE INDEX ix_userbrand ON userbrand(fgroupid);
CREATE INDEX ix_userhouse ON userhouse(fgroupid);
CREATE UNIQUE INDEX ux_d_order_fbillid ON d_order(fbillid);
CREATE INDEX ix_d_order_fclientcode ON d_order(fclientcode);
CREATE INDEX ix_d_order_fbilldate ON d_order(fbilldate);
CREATE UNIQUE INDEX ux_d_ration_fbillid ON d_ration(fbillid);
CREATE INDEX ix_d_ration_fclientcode ON d_ration(fclientcode);
CREATE INDEX ix_d_ration_fbilldate ON d_ration(fbilldate);
CREATE UNIQUE INDEX ux_d_sale_fbillid ON d_sale(fbillid);
CREATE INDEX ix_d_sale_fclientcode ON d_sale(fclientcode);
CREATE INDEX ix_d_sale_fbilldate ON d_sale(fbilldate);
CREATE INDEX ix_d_sale_fhousecode ON d_sale(fhousecode);
CREATE UNIQUE INDEX ux_d_salereturn_fbillid ON d_salereturn(fbillid);
CREATE INDEX ix_d_salereturn_fclientcode ON d_salereturn(fclientcode);
CREATE INDEX ix_d_salereturn_fbilldate ON d_salereturn(fbilldate);
CREATE UNIQUE INDEX ux_d_receving_fbillid ON d_receving(fbillid);
CREATE INDEX ix_d_receving_fsuppliercode ON d_receving(fsuppliercode);
CREATE INDEX ix_d_receving_fbilldate ON d_receving(fbilldate);
CREATE INDEX ix_d_receving_fhousecode ON d_receving(fhousecode);
CREATE UNIQUE INDEX ux_d_payment_fbillid ON d_payment(fbillid);
CREATE INDEX ix_d_payment_fclientcode ON d_payment(fclientcode);
CREATE INDEX ix_d_payment_fbilldate ON d_payment(fbilldate);
CREATE UNIQUE INDEX ux_d_payments_fbillid ON d_payments(fbillid);
CREATE INDEX ix_d_payments_fsuppliercode ON d_payments(fsuppliercode);
CREATE INDEX ix_d_payments_fbilldate ON d_payments(fbilldate);
CREATE UNIQUE INDEX ux_d_subsreceipt_fbillid ON d_subsreceipt(fbillid);
CREATE INDEX ix_d_subsreceipt_fclientcode ON d_subsreceipt(fclientcode);
CREATE INDEX ix_d_subsreceipt_fbilldate ON d_subsreceipt(fbilldate);
CREATE UNIQUE INDEX ux_d_subsreceipt_flag_fbillid ON d_subsreceipt_flag(fbillid);
CREATE INDEX ix_d_subsreceipt_flag_fclientcode ON d_subsreceipt_flag(fclientcode);
CREATE INDEX ix_d_subsreceipt_flag_fbilldate ON d_subsreceipt_flag(fbilldate);
CREATE UNIQUE INDEX ux_d_charges_fbillid ON d_charges(fbillid);
CREATE INDEX ix_d_charges_fclientcode ON d_charges(fclientcode);
CREATE INDEX ix_d_charges_fbilldate ON d_charges(fbilldate);
CREATE UNIQUE INDEX ux_b_charges_fbillid ON b_charges(fbillid);
CREATE INDEX ix_b_charges_fbilldate ON b_charges(fbilldate);
CREATE UNIQUE INDEX ux_d_s_sale_fbillid ON d_s_sale(fbillid);
CREATE INDEX ix_d_s_sale_fclientcode ON d_s_sale(fclientcode);
CREATE INDEX ix_d_s_sale_fbilldate ON d_s_sale(fbilldate);
CREATE UNIQUE INDEX ux_d_s_receving_fbillid ON d_s_receving(fbillid);
CREATE INDEX ix_d_s_receving_fclientcode ON d_s_receving(fclientcode);
CREATE INDEX ix_d_s_receving_fbilldate ON d_s_receving(fbilldate);
CREATE UNIQUE INDEX ux_d_s_fold_fbillid ON d_s_fold(fbillid);
CREATE INDEX ix_d_s_fold_fclientcode ON d_s_fold(fclientcode);
CREATE INDEX ix_d_s_fold_fbilldate ON d_s_fold(fbilldate);
CREATE UNIQUE INDEX ux_d_s_pureturn_fbillid ON d_s_pureturn(fbillid);
CREATE INDEX ix_d_s_pureturn_fclientcode ON d_s_pureturn(fclientcode);
CREATE INDEX ix_d_s_pureturn_fbilldate ON d_s_pureturn(fbilldate);
CREATE UNIQUE INDEX ux_d_s_transfer_fbillid ON d_s_transfer(fbillid);
CREATE INDEX ix_d_s_transfer_fclientcode ON d_s_transfer(fclientcode);
CREATE INDEX ix_d_s_transfer_fbilldate ON d_s_transfer(fbilldate);
CREATE UNIQUE INDEX ux_gm_produce_fbillid ON gm_produce(fbillid);
CREATE INDEX ix_gm_produce_fgoodsid ON gm_produce(fgoodsid);
CREATE UNIQUE INDEX ux_gm_knufe_fbillid ON gm_knufe(fbillid);
CREATE INDEX ix_gm_knufe_fbilldate ON gm_knufe(fbilldate);
CREATE INDEX ix_gm_knufe_fproduceid ON gm_knufe(fproduceid);
CREATE UNIQUE INDEX ux_gm_knufeout_fbillid ON gm_knufeout(fbillid);
CREATE INDEX ix_gm_knufeout_fbilldate ON gm_knufeout(fbilldate);
CREATE INDEX ix_gm_knufeout_fknufeid ON gm_knufeout(fknufeid);
CREATE INDEX ix_d_orderdetail_fbillid ON d_orderdetail(fbillid);
CREATE INDEX ix_d_orderdetail_fgoodsid ON d_orderdetail(fgoodsid, fcolorid);
CREATE INDEX ix_d_rationdetail_fbillid ON d_rationdetail(fbillid);
CREATE INDEX ix_d_rationdetail_fgoodsid ON d_rationdetail(fgoodsid, fcolorid);
CREATE INDEX ix_d_saledetail_fbillid ON d_saledetail(fbillid);
CREATE INDEX ix_d_saledetail_fgoodsid ON d_saledetail(fgoodsid, fcolorid);
CREATE INDEX ix_d_salereturndetail_fbillid ON d_salereturndetail(fbillid);
CREATE INDEX ix_d_salereturndetail_fgoodsid ON d_salereturndetail(fgoodsid, fcolorid);
CREATE INDEX ix_d_recevingdetail_fbillid ON d_recevingdetail(fbillid);
CREATE INDEX ix_d_recevingdetail_fgoodsid ON d_recevingdetail(fgoodsid, fcolorid);
CREATE INDEX ix_d_s_saledetail_fbillid ON d_s_saledetail(fbillid);
CREATE INDEX ix_d_s_saledetail_fgoodsid ON d_s_saledetail(fgoodsid, fcolorid);
CREATE INDEX ix_d_s_recevingdetail_fbillid ON d_s_recevingdetail(fbillid);
CREATE INDEX ix_d_s_recevingdetail_fgoodsid ON d_s_recevingdetail(fgoodsid, fcolorid);
CREATE INDEX ix_d_s_folddetail_fbillid ON d_s_folddetail(fbillid);
CREATE INDEX ix_d_s_folddetail_fgoodsid ON d_s_folddetail(fgoodsid, fcolorid);
CREATE INDEX ix_d_s_pureturndetail_fbillid ON d_s_pureturndetail(fbillid);
CREATE INDEX ix_d_s_pureturndetail_fgoodsid ON d_s_pureturndetail(fgoodsid, fcolorid);
CREATE INDEX ix_d_s_transferdetail_fbillid ON d_s_transferdetail(fbillid);
CREATE INDEX ix_d_s_transferdetail_fgoodsid ON d_s_transferdetail(fgoodsid, fcolorid);
CREATE INDEX ix_b_chargesde_fbillid ON b_chargesde(fbillid);
CREATE INDEX ix_gm_producede ON gm_producede(fbillid, fprocedureid);
CREATE INDEX ix_gm_knufede_fbillid ON gm_knufede(fbillid);
CREATE INDEX ix_gm_knufeoutdetail_fbillid ON gm_knufeoutdetail(fbillid);
CREATE INDEX ix_gm_proroll_fknufeid ON gm_proroll(fknufeid);
CREATE INDEX ix_gm_proroll_fadd_date ON gm_proroll(fadd_date);
CREATE INDEX ix_gm_procount_fknufeid ON gm_procount(fknufeid);
CREATE UNIQUE INDEX ux_stock ON stock(fhousecode, fgoodsid, fcolorid);
CREATE INDEX ix_stock_fgoodsid ON stock(fgoodsid, fcolorid);
CREATE UNIQUE INDEX ux_s_stock ON s_stock(fclientcode, fgoodsid, fcolorid);
CREATE INDEX ix_s_stock_fgoodsid ON s_stock(fgoodsid, fcolorid);
