// Prints every user table of a database as read by the npm package
// mdb-reader, in a form the C++ tests parse without a JSON library:
//   T <hex name>            a table
//   C <hex name> <type>     one of its columns
//   R <hex value> ...       a row; "-" is null
// Hex is of UTF-8, so no text can clash with the separators.
// Usage: node read-with-mdb-reader.mjs NODE_DEPS_DIR FILE.mdb
// (NODE_DEPS_DIR: where install-node-deps put node_modules)
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const [depsDir, file] = process.argv.slice(2);
const require = createRequire(join(depsDir, "package.json"));
const { default: MDBReader } = await import(pathToFileURL(require.resolve("mdb-reader")).href);

const hex = (s) => Buffer.from(String(s), "utf8").toString("hex");
const cell = (v) => (v === null || v === undefined ? "-" : hex(v));

const reader = new MDBReader(readFileSync(file));
const lines = [];
for (const name of reader.getTableNames()) {
  const table = reader.getTable(name);
  lines.push(`T ${hex(name)}`);
  const columns = table.getColumns();
  for (const c of columns) lines.push(`C ${hex(c.name)} ${c.type}`);
  for (const row of table.getData()) {
    lines.push(["R", ...columns.map((c) => cell(row[c.name]))].join(" "));
  }
}
process.stdout.write(lines.join("\n") + "\n");
