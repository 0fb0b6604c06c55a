// Writes tests/data/tnia/sheetjs/workbook.xls and workbook.xlsx with SheetJS
// (npm package "xlsx" 0.18), a writer unlike LibreOffice: short BIFF8
// streams, Booleans as BOOLERR, formulas with the cached results given here.
//
// usage: npm install --prefix SCRATCH xlsx
//        NODE_PATH=SCRATCH/node_modules node tests/data/tnia/make-sheetjs.js
const path = require("path");
const XLSX = require("xlsx");

const n = (v) => ({ t: "n", v });
const s = (v) => ({ t: "s", v });
const b = (v) => ({ t: "b", v });
const fn = (f, v) => ({ t: "n", f, v });
const fs = (f, v) => ({ t: "s", f, v });
const fb = (f, v) => ({ t: "b", f, v });

function sheet(cells) {
  const ws = {};
  let last = "A1";
  for (const [ref, cell] of Object.entries(cells)) {
    ws[ref] = cell;
    last = ref;
  }
  const refs = Object.keys(cells);
  ws["!ref"] = refs.length ? XLSX.utils.encode_range(refs.reduce((range, ref) => {
    const c = XLSX.utils.decode_cell(ref);
    range.s.r = Math.min(range.s.r, c.r); range.s.c = Math.min(range.s.c, c.c);
    range.e.r = Math.max(range.e.r, c.r); range.e.c = Math.max(range.e.c, c.c);
    return range;
  }, { s: { r: 0, c: 0 }, e: { r: 0, c: 0 } })) : "A1";
  return ws;
}

const book = XLSX.utils.book_new();
XLSX.utils.book_append_sheet(book, sheet({
  B1: s("SheetJS Study"),
  A3: s("R1"), B3: n(10), C3: n(20), D3: n(1), E3: s("S"),
  A4: s("R1"), B4: fn("B3+5", 15), C4: fn("C3", 20), D4: s("1.5"), E4: s("S"),
  A5: s("WA"), B5: n(10.25), C5: n(25), D5: n(3), E5: s("A"),
  A6: s("WA"), B6: n(15.35), C6: n(25), D6: n(3), E6: s("a"),
  A7: fs('"N"&"7"', "N7"), B7: n(30), C7: n(40), D7: fn("D3+1", 2), E7: s("R"),
  A8: fs('IF(1,"","x")', ""),
  A9: s("R9"), E9: s("S"),
}), "Geometry");
XLSX.utils.book_append_sheet(book, sheet({
  A1: s("R1"), B1: s("Pervious"), C1: n(6), D1: n(900), E1: n(8), F1: n(40), H1: b(true),
}), "Roads");
XLSX.utils.book_append_sheet(book, sheet({
  A1: s("ID"), A2: s("WA"), B2: n(4.05), C2: s("R1"),
}), "Barriers");
XLSX.utils.book_append_sheet(book, sheet({ A1: s("ID") }), "BarriersO");
XLSX.utils.book_append_sheet(book, sheet({
  A1: s("ID"), A2: s("N7"), B2: s("L"), C2: s("Y"), D2: s("n"), E2: s("12.25"),
}), "Receivers");
XLSX.utils.book_append_sheet(book, sheet({
  A1: s("Key"), A2: s("L"), B2: b(true), C2: n(1.2),
  A3: s("L"), B3: fb("1>2", false), C3: n(3.95),
}), "Levels");

const folder = path.join(__dirname, "sheetjs");
require("fs").mkdirSync(folder, { recursive: true });
XLSX.writeFile(book, path.join(folder, "workbook.xls"), { bookType: "biff8" });
XLSX.writeFile(book, path.join(folder, "workbook.xlsx"), { bookType: "xlsx" });
