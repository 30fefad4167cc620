-- Counts the reports rely on in the scale-1 demo database. Each check is one line:
-- "<op> <number>: <query>", op one of = > <; the query's first value is compared.
-- A comment line describes the checks below it.

-- Colours resolve; s_stock holds one colour the goods no longer list.
= 1: select count(*) from s_stock a where not exists (select 1 from vgoodscolor c where c.goodsid=a.fgoodsid and c.colorid=a.fcolorid)
-- Employees, output and cutting bills resolve.
= 0: select count(*) from dt_client where frpdtmancode not in(select fcode from v_employee)
= 0: select count(*) from d_s_sale where femployeeid not in(select fcode from v_employee)
-- Shop assistants sell in their own shop.
= 0: select count(*) from d_s_sale s join v_employee e on e.fcode=s.femployeeid where e.fclientcode<>s.fclientcode
= 0: select count(*) from gm_proroll r where not exists (select 1 from V_produceOfBill p where p.fbillid=r.fbillid and p.fprocedureid=r.fprocedue_no)
= 0: select count(*) from gm_procount a where fknufeid not in(select fbillid from gm_knufe)
= 0: select count(*) from gm_knufeout where fknufeid not in(select fbillid from gm_knufe)
= 0: select count(*) from gm_knufede where fqty<>ifnull(s1,0)+ifnull(s2,0)+ifnull(s3,0)+ifnull(s4,0)+ifnull(s5,0)+ifnull(s6,0)+ifnull(s7,0)+ifnull(s8,0)+ifnull(s9,0)+ifnull(s10,0)

-- The size table: one class reaches position 10, and it begins with XS.
= 10: select max(displayindex) as scount from ba_size
= 1: select count(*) from ba_size where displayindex=10
= 1: select count(*) from ba_size z where size_name='XS' and size_class in(select size_class from ba_size where displayindex=10) and displayindex=(select min(displayindex) from ba_size where size_class=z.size_class)
= 0: select count(*) from goods where size_class not in(select size_class from ba_size)

-- The category statements name the goods column on both goodsid and fgoodsid.
= 0: select count(*) from goods where fgoodsid<>goodsid

-- Clients without a kind; own shops and counters sell at retail, wholesalers do not.
> 0: select count(*) from dt_client where fmathod is null
> 10: select count(distinct s.fclientcode) from d_s_sale s join dt_client c on c.fcode=s.fclientcode where c.fmathod in('自营','专柜')
= 0: select count(*) from d_s_sale s join dt_client c on c.fcode=s.fclientcode where c.fmathod not in('自营','专柜','加盟') or c.fmathod is null
-- Codes compare as the host's collation does: case and trailing blanks do not matter.
= 1: select count(*) from dt_client where fcode='zy001  '

-- A franchisee closed for a refit over the summer of 2025.
= 0: select count(*) from d_s_sale where fclientcode='JM003' and fbilldate between '2025-06-01' and '2025-08-31 23:59:59'
> 0: select count(*) from d_s_sale where fclientcode='JM003'
-- A former partner that only sends goods back.
> 0: select count(*) from d_salereturn where fclientcode='PF010'
= 0: select (select count(*) from d_order where fclientcode='PF010')+(select count(*) from d_sale where fclientcode='PF010')+(select count(*) from d_ration where fclientcode='PF010')+(select count(*) from d_payment where fclientcode='PF010')
-- Franchisees opening in 2026 have no business before.
= 0: select count(*) from d_s_sale where fclientcode='JM021' and fbilldate<'2026-03-01'
> 0: select count(*) from d_s_sale where fclientcode='JM021'
-- A few documents (under one in fifty) carry a time of day.
> 0: select count(*) from d_s_sale where length(fbilldate)=19
> 0: select count(*) from d_sale where length(fbilldate)=19
= 0: select (select count(*) from d_s_sale where length(fbilldate)=19)*50>=(select count(*) from d_s_sale)
-- Retail returns, free gifts, discounts.
> 0: select count(*) from d_s_saledetail where qty<0
> 0: select count(*) from d_s_saledetail a join goods g on g.goodsid=a.fgoodsid where g.unitprice=0
> 0: select count(*) from d_s_saledetail where fbalancprice<fprice*0.6
-- Goods above the last price band (reports call their band 其他).
> 1: select count(*) from goods where goodsid not in(select goodsid from V_GoodsPriceRange)
-- Outsourced pieces that came back in greater number than went out.
> 0: select count(*) from gm_knufeoutdetail where frecqty>fqty
-- Output keyed in both output tables for one day, bill and process.
> 0: select count(*) from gm_proroll r where exists (select 1 from gm_procount c where c.fknufeid=r.fknufeid and c.fprocedue_no=r.fprocedue_no and c.fadd_date=r.fadd_date)
-- Stock of every warehouse kind and shop kind; nothing negative.
> 3: select count(distinct fhousecode) from stock
= 0: select count(*) from stock where qty<=0
= 0: select count(*) from s_stock where qty<=0
-- Goods received by shops that still hold them (the new goods report).
> 0: select count(*) from s_stock s where exists (select 1 from d_s_recevingdetail d join d_s_receving h on h.fbillid=d.fbillid where h.fclientcode=s.fclientcode and d.fgoodsid=s.fgoodsid)
-- The picker of cutting bills finds bills of the last days of the period.
> 0: select count(*) from gm_knufe where fbilldate>='2026-10-01'

-- The regional manager (002) has flagged client rows besides the listed ones, and the
-- listed clients have business to report on; the accountant (004) sees every client.
> 0: select count(*) from userclient where fgroupid='002' and fstockbit=1
> 3: select count(distinct fclientcode) from d_sale where fclientcode in(select fclientcode from userclient where fgroupid='002' and fstockbit=0)
= 0: select count(*) from userclient where fgroupid='004'
= 0: select count(*) from userclient where fclientcode not in(select fcode from dt_client)
