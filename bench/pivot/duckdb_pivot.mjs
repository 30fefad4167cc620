// The pivots of bench_pivot computed by DuckDB, for comparison.
//
//   node duckdb_pivot.mjs PACKAGES DIR REPETITIONS
//
// PACKAGES is the folder that npm installed @duckdb/node-api into.
// Loads every DIR/<brief|wide>-<rows>.csv that bench_pivot --rows_csv=DIR
// wrote (the very rows of its fresh cases) into an in-memory table, then runs
// the pivot as one GROUP BY GROUPING SETS: every prefix of the row fields with
// every prefix of the column fields, which are all the cells and totals a
// pivot shows. The sums are added up once more outside so that DuckDB cannot
// leave them out (with only count(*) asked for, its optimizer drops unused
// aggregates); nothing else is transferred. Prints the best of REPETITIONS
// runs per case with the process CPU time of that run (DuckDB's threads
// included), their median, and every run. compare-duckdb.sh installs the
// package and runs this beside bench_pivot.
import { readdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';

const [packages, dir, repsText] = process.argv.slice(2);
const { DuckDBInstance } = createRequire(resolve(packages) + '/')('@duckdb/node-api');
const reps = Math.max(1, Number(repsText ?? 3));

const shapes = {
  brief: { rows: ['品牌', '货号'], cols: ['日'], data: ['数量', '金额'] },
  wide: { rows: ['品牌', '货号', '颜色'], cols: ['店铺', '类型'], data: ['数量', '金额', '吊牌额'] },
};

const quote = (name) => `"${name}"`;
const prefixes = (fields) => fields.map((_, i) => fields.slice(0, i)).concat([fields]);

function pivotQuery(shape) {
  const { rows, cols, data } = shapes[shape];
  const sets = [];
  for (const r of prefixes(rows))
    for (const c of prefixes(cols)) sets.push(`(${r.concat(c).map(quote).join(', ')})`);
  const sums = data.map((d, i) => `sum(${quote(d)}) s${i}`).join(', ');
  const inner = `select ${rows.concat(cols).map(quote).join(', ')}, ${sums} from t` +
                ` group by grouping sets (${sets.join(', ')})`;
  const outer = data.map((_, i) => `sum(s${i})`).join(', ');
  return `select count(*), ${outer} from (${inner})`;
}

const columns = `{'品牌': 'VARCHAR', '货号': 'VARCHAR', '颜色': 'VARCHAR', '店铺': 'VARCHAR',` +
                ` '类型': 'VARCHAR', '日': 'BIGINT', '数量': 'BIGINT', '金额': 'DOUBLE',` +
                ` '吊牌额': 'DOUBLE'}`;

const instance = await DuckDBInstance.create(':memory:');
const con = await instance.connect();
const version = (await con.runAndReadAll(
  "select version(), current_setting('threads')")).getRows()[0];
console.log(`duckdb ${version[0]}, ${version[1]} threads`);

const files = readdirSync(dir).filter((f) => /^(brief|wide)-\d+\.csv$/.test(f)).sort();
for (const file of files) {
  const [, shape, rows] = file.match(/^(brief|wide)-(\d+)\.csv$/);
  await con.run('drop table if exists t');
  await con.run(`create table t as select * from read_csv('${join(dir, file)}',` +
                ` header = true, columns = ${columns})`);
  const query = pivotQuery(shape);
  const times = [];
  const cpus = [];
  let groups = 0n;
  for (let i = 0; i < reps; ++i) {
    const cpu = process.cpuUsage();
    const start = performance.now();
    const result = await con.runAndReadAll(query);
    times.push(performance.now() - start);
    const used = process.cpuUsage(cpu);
    cpus.push((used.user + used.system) / 1000);
    groups = result.getRows()[0][0];
  }
  const best = Math.min(...times);
  const bestCpu = cpus[times.indexOf(best)];
  const sorted = [...times].sort((a, b) => a - b);
  const mid = sorted.length >> 1;
  const median = sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
  console.log(`duckdb ${shape} ${rows}: ${best.toFixed(1)} ms, median ${median.toFixed(1)} ms,` +
              ` CPU ${bestCpu.toFixed(1)} ms, ${groups} groups` +
              ` (runs: ${times.map((t) => t.toFixed(0)).join(' ')})`);
}
