// The search box of the HTML manual, driven as a reader drives it: vornc
// writes a manual into an empty folder, every page must carry the box and
// load search.js; the script then runs against a small stand-in of the
// browser's document (script elements load files of the folder, as a
// browser does for pages opened from the disk) and its answers to typed
// words are checked.
//
//   node search_box_test.js <vornc> <definition file>
"use strict";
const assert = require("assert");
const childProcess = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const vm = require("vm");

const vornc = path.resolve(process.argv[2]);
const definition = process.argv[3];
const folder = fs.mkdtempSync(path.join(os.tmpdir(), "vornc-search-"));

function element(tag) {
  return {
    tagName: tag, children: [], attributes: {}, listeners: {}, textContent: "", value: "",
    get firstChild() { return this.children[0] || null; },
    appendChild(child) { this.children.push(child); if (this.onAppend) this.onAppend(child); return child; },
    removeChild(child) { this.children.splice(this.children.indexOf(child), 1); return child; },
    setAttribute(name, value) { this.attributes[name] = value; },
    addEventListener(type, listener) { this.listeners[type] = listener; },
  };
}

// A page with the box, in the language given, after search.js has run.
function openPage(language) {
  const box = element("input");
  const list = element("ul");
  const head = element("head");
  const context = {
    document: {
      documentElement: { lang: language },
      head,
      getElementById: (id) => ({ search_box: box, search_results: list }[id] || null),
      createElement: element,
      createTextNode: (text) => ({ textContent: text }),
    },
    location: { href: "" },
  };
  context.window = context;
  vm.createContext(context);
  head.onAppend = (script) => {
    const file = path.join(folder, script.src);
    if (!fs.existsSync(file)) { script.onerror(); return; }
    vm.runInContext(fs.readFileSync(file, "utf8"), context, { filename: script.src });
    script.onload();
  };
  vm.runInContext(fs.readFileSync(path.join(folder, "search.js"), "utf8"), context);
  return {
    box, context,
    type(text) { box.value = text; box.listeners.input(); return list.children.map(
      (item) => ({ name: item.children[0].textContent, page: item.children[0].href,
                   rest: item.children[1] ? item.children[1].textContent : "" })); },
    enter() { let prevented = false; box.listeners.keydown({ key: "Enter", preventDefault() { prevented = true; } });
              return prevented; },
  };
}

try {
  childProcess.execFileSync(vornc, ["-W", "-lde_DE", "-Rhtml:cpp", path.resolve(definition)],
                            { cwd: folder, stdio: "inherit" });
  const pages = fs.readdirSync(folder).filter((name) => name.endsWith(".html"));
  assert.ok(pages.length > 3, "pages written");
  for (const page of pages) {
    const text = fs.readFileSync(path.join(folder, page), "utf8");
    assert.ok(text.includes('<input type="search" id="search_box" autocomplete="off">'), page);
    assert.ok(text.includes('<script src="search.js"></script>'), page);
  }

  const page = openPage("de-DE");
  assert.strictEqual(page.box.placeholder, "Suchen");
  assert.strictEqual(openPage("en-US").box.placeholder, "Search");

  // a name: the operator whose name begins with the word comes first, then
  // those that contain it; names are spelled as the C++ manual spells them
  let found = page.type("scale");
  assert.deepStrictEqual(found.map((f) => f.name), ["ScaleGray", "OldScale"]);
  assert.strictEqual(found[0].page, "scale_gray.html");
  assert.strictEqual(found[0].rest, " \u2014 Die Grauwerte eines Bildes skalieren.");
  // the identifier as written in the definition files finds it as well
  assert.deepStrictEqual(page.type("SCALE_GRAY").map((f) => f.name), ["ScaleGray"]);
  // a keyword before words of a short description; every word must match
  assert.deepStrictEqual(page.type("gray value").map((f) => f.name), ["ScaleGray", "OldScale"]);
  assert.deepStrictEqual(page.type("development  environment").map((f) => f.name), ["env_query"]);
  assert.deepStrictEqual(page.type("development zebra"), []);
  assert.deepStrictEqual(page.type("   "), []);
  // Enter opens the first page found
  page.type("blend");
  assert.ok(page.enter());
  assert.strictEqual(page.context.location.href, "blend_images.html");
  console.log("search box: %d pages carry it, the answers are right", pages.length);
} finally {
  fs.rmSync(folder, { recursive: true, force: true });
}
